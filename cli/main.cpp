#include <unistd.h>

#include <CLI/CLI.hpp>
#include <algorithm>
#include <csignal>
#include <iostream>
#include <string>

#include "cli/batch.h"
#include "cli/help_text.h"
#include "cli/single_run.h"

namespace {

using namespace tropolink::cli;

constexpr std::string_view kAllowedOptions =
    " (allowed: --set NAME=VALUE, --power-div-1000, --json, --values, --batch, --help, --version)";

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
    app.add_flag("--json", json, "One JSON object {\"Text1\": ..., \"Text52\": ...} instead of TextN<TAB>text lines");
    app.add_flag("--values", values, "Add the full-precision figures of the pass (implies --json)");
    app.add_flag("--batch", batch, "One pass per line of standard input, answered as JSON lines")
        ->excludes(set)
        ->excludes(power);
    app.set_version_flag("--version", std::string("tropolink-cli ") + TROPOLINK_VERSION);
    app.footer(helpFooter());

    try {
        app.parse(argc, argv);
    } catch (const CLI::Success& e) {  // --help, --version
        app.exit(e);
        return std::cout.flush() ? kExitOk : kExitIoError;
    } catch (const CLI::ParseError& e) {
        std::cerr << diagnostic(oneLine(e.what()) + std::string(kAllowedOptions)) << '\n';
        return kExitBadInput;
    }

    if (values)
        request.format = OutputFormat::JsonWithValues;
    else if (json)
        request.format = OutputFormat::Json;
    Output out(STDOUT_FILENO);
    const RunResult result = batch ? runBatch(STDIN_FILENO, out, values) : runSingle(request, out);
    if (!result.diagnostic.empty()) std::cerr << result.diagnostic << '\n';
    return result.exitStatus;
}
