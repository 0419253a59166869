#include <unistd.h>

#include <CLI/CLI.hpp>
#include <algorithm>
#include <csignal>
#include <iostream>
#include <string>

#include "cli/batch.h"
#include "cli/help_text.h"
#include "cli/input_error.h"
#include "cli/jobs_option.h"
#include "cli/ordered_workers.h"
#include "cli/single_run.h"
#include "cli/sweep.h"

namespace {

using namespace tropolink::cli;

constexpr std::string_view kAllowedOptions =
    " (allowed: --set NAME=VALUE, --power-div-1000, --json, --values, --batch, --jobs N, --help, --version, sweep)";
constexpr std::string_view kAllowedSweepArguments =
    " (allowed: NAME=FROM:TO[:STEP], --set NAME=VALUE, --power-div-1000, --csv FILE, --svg FILE, --help)";

std::string oneLine(std::string text) {
    std::replace(text.begin(), text.end(), '\n', ' ');
    return text;
}

}  // namespace

int main(int argc, char** argv) {
    // A reader that goes away is a write error like any other: exit status 1.
    std::signal(SIGPIPE, SIG_IGN);

    CLI::App app{"Tropolink troposcatter link-loss calculator: one recalculation pass from the start positions.",
                 "tropolink-cli"};
    SingleRunRequest request;
    bool json = false;
    bool values = false;
    bool batch = false;
    auto* set = app.add_option("--set", request.assignments, "Move a slider (repeatable); NAME and VALUE below")
                    ->type_name("NAME=VALUE")
                    ->allow_extra_args(false);
    auto* power = app.add_flag("--power-div-1000", request.powerOptionCount, "Tick power/1000: tx-power reads in mW");
    auto* jsonFlag = app.add_flag("--json", json,
                                  "One JSON object {\"Text1\": ..., \"Text52\": ...} instead of TextN<TAB>text lines");
    auto* valuesFlag = app.add_flag("--values", values, "Add the full-precision figures of the pass (implies --json)");
    auto* batchFlag = app.add_flag("--batch", batch, "One pass per line of standard input, answered as JSON lines")
                          ->excludes(set)
                          ->excludes(power);
    std::string jobsText;
    auto* jobsOption = app.add_option("--jobs", jobsText, "Workers for --batch (default: one per online processor)")
                           ->type_name("N")
                           ->needs(batchFlag);
    SweepRequest sweepRequest;
    auto* sweep = app.add_subcommand("sweep", "One pass per point of a slider's grid: CSV table, SVG picture");
    sweep->add_option("range", sweepRequest.range, "The slider to sweep and its grid")
        ->type_name("NAME=FROM:TO[:STEP]")
        ->required();
    sweep->add_option("--set", sweepRequest.assignments, "Move another slider (repeatable)")
        ->type_name("NAME=VALUE")
        ->allow_extra_args(false);
    sweep->add_flag("--power-div-1000", sweepRequest.powerOptionCount, "Tick power/1000: tx-power reads in mW");
    sweep->add_option("--csv", sweepRequest.csvPath, "Write the table to FILE")->type_name("FILE");
    sweep->add_option("--svg", sweepRequest.svgPath, "Write the picture to FILE")->type_name("FILE");
    sweep->footer(std::string(sweepHelp()));
    for (auto* option : {set, power, jsonFlag, valuesFlag, batchFlag, jobsOption}) sweep->excludes(option);
    app.set_version_flag("--version", std::string("tropolink-cli ") + TROPOLINK_VERSION);
    app.footer(helpFooter());

    try {
        app.parse(argc, argv);
    } catch (const CLI::Success& e) {  // --help, --version
        app.exit(e);
        return std::cout.flush() ? kExitOk : kExitIoError;
    } catch (const CLI::ParseError& e) {
        const auto allowed = sweep->parsed() ? kAllowedSweepArguments : kAllowedOptions;
        std::cerr << diagnostic(oneLine(e.what()) + std::string(allowed)) << '\n';
        return kExitBadInput;
    }

    int jobs = onlineProcessors();
    if (!jobsText.empty()) {
        try {
            jobs = parseJobs(jobsText);
        } catch (const InputError& e) {
            std::cerr << diagnostic(e.what()) << '\n';
            return kExitBadInput;
        }
    }
    if (values)
        request.format = OutputFormat::JsonWithValues;
    else if (json)
        request.format = OutputFormat::Json;
    Output out(STDOUT_FILENO);
    RunResult result;
    if (sweep->parsed())
        result = runSweep(sweepRequest, out);
    else
        result = batch ? runBatch(STDIN_FILENO, out, values, jobs) : runSingle(request, out);
    if (!result.diagnostic.empty()) std::cerr << result.diagnostic << '\n';
    return result.exitStatus;
}
