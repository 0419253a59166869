#include <unistd.h>

#include <CLI/CLI.hpp>
#include <algorithm>
#include <csignal>
#include <iostream>
#include <string>

#include "cli/availability_run.h"
#include "cli/batch_run.h"
#include "cli/help_text.h"
#include "cli/maps_command.h"
#include "cli/profile_run.h"
#include "link/input_error.h"
#include "batch/jobs_option.h"
#include "batch/ordered_workers.h"
#include "cli/single_run.h"
#include "cli/sweep_run.h"

namespace {

using namespace tropolink;
using namespace tropolink::cli;

constexpr std::string_view kAllowedOptions =
    " (allowed: --set NAME=VALUE, --power-div-1000, --json, --values, --batch, --jobs N, --help, --version, sweep, "
    "availability, profile, maps)";
constexpr std::string_view kAllowedSweepArguments =
    " (allowed: NAME=FROM:TO[:STEP], --set NAME=VALUE, --power-div-1000, --csv FILE, --svg FILE, --percent P, --help)";
constexpr std::string_view kAllowedAvailabilityArguments =
    " (allowed: --set NAME=VALUE, --power-div-1000, --percent P, --delta-n DN, --ground-height-km HS, "
    "--climate-zone Z, --required-snr DB, --json, --batch, --help)";
constexpr std::string_view kAllowedProfileArguments =
    " (allowed: FILE, --s1-mast-m M, --s2-mast-m M, --set NAME=VALUE, --power-div-1000, --json, --svg FILE, "
    "--availability, --percent P, --delta-n DN, --climate-zone Z, --required-snr DB, --help)";

std::string oneLine(std::string text) {
    std::replace(text.begin(), text.end(), '\n', ' ');
    return text;
}

// Every option but --percent may be given once; the tool refuses a repeat
// itself, naming the option and its range, so each keeps all its values.
CLI::App* addAvailability(CLI::App& app, AvailabilityRequest& r) {
    auto* sub = app.add_subcommand("availability", "Loss over the year and fade margins by two ITU-R methods");
    const auto value = [sub](const std::string& name, std::vector<std::string>& values, const std::string& what,
                             const std::string& type) {
        return sub->add_option(name, values, what)->type_name(type)->allow_extra_args(false);
    };
    // Shown without the "..." of a repeatable option.
    const auto once = [&value](const std::string& name, std::vector<std::string>& values, const std::string& what,
                               const std::string& type) { value(name, values, what, type)->option_text(type); };
    value("--set", r.assignments, "Move a slider (repeatable); NAME and VALUE as for the pass", "NAME=VALUE");
    sub->add_flag("--power-div-1000", r.powerOptionCount, "Tick power/1000: tx-power reads in mW");
    AvailabilityArguments& a = r.arguments;
    value("--percent", a.percents, "% of the year, 0 < P < 100 (repeatable; default 50 90 99 99.9 99.99)", "P");
    once("--delta-n", a.deltaN, "Refractivity lapse rate, N-units/km, 20 to 80 in steps of 0.1 (default 40)", "DN");
    once("--ground-height-km", a.groundHeightKm,
         "Ground under the common volume, km above sea level, 0 to 5 in steps of 0.001 (default 0)", "HS");
    once("--climate-zone", a.climateZone, "Climate zone 1 to 7, listed below (default 6)", "Z");
    once("--required-snr", a.requiredSnr, "Signal-to-noise needed, dB, -50 to 100: adds the availability", "DB");
    sub->add_flag("--json", r.jsonCount, "One JSON object instead of the table");
    sub->add_flag("--batch", r.batchCount, "One JSON object per line of standard input (settings lines)");
    sub->footer(std::string(availabilityHelp()));
    return sub;
}

CLI::App* addProfile(CLI::App& app, ProfileRequest& r) {
    auto* sub = app.add_subcommand("profile", "Horizons and settings from a terrain profile, one pass on them");
    sub->add_option("file", r.file, "Profile CSV: distance km, ground height m asl; - for standard input")
        ->type_name("FILE")
        ->required();
    sub->add_option("--s1-mast-m", r.mast1, "Antenna 1 above its ground, m (default 10)")->type_name("M");
    sub->add_option("--s2-mast-m", r.mast2, "Antenna 2 above its ground, m (default 10)")->type_name("M");
    sub->add_option("--set", r.assignments, "Move a slider the profile does not fix (repeatable)")
        ->type_name("NAME=VALUE")
        ->allow_extra_args(false);
    sub->add_flag("--power-div-1000", r.powerOptionCount, "Tick power/1000: tx-power reads in mW");
    sub->add_flag("--json", r.json, "One JSON object: settings, horizon, boxes");
    sub->add_option("--svg", r.svgPath, "Write the profile picture to FILE")->type_name("FILE");
    auto* availability = sub->add_flag("--availability", r.availability,
                                       "Add P.617 and P.2001 on the profile's exact angles and heights");
    AvailabilityArguments& a = r.availabilityArguments;
    const auto value = [&](const std::string& name, std::vector<std::string>& values, const std::string& what,
                           const std::string& type) {
        sub->add_option(name, values, what)->type_name(type)->allow_extra_args(false)->needs(availability);
    };
    value("--percent", a.percents, "With --availability: % of the year (repeatable)", "P");
    value("--delta-n", a.deltaN, "With --availability: refractivity lapse rate, N-units/km", "DN");
    value("--climate-zone", a.climateZone, "With --availability: climate zone 1 to 7", "Z");
    value("--required-snr", a.requiredSnr, "With --availability: signal-to-noise needed, dB", "DB");
    sub->footer(std::string(profileHelp()));
    return sub;
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
    sweep->add_option("range", sweepRequest.sweep.range, "The slider to sweep and its grid")
        ->type_name("NAME=FROM:TO[:STEP]")
        ->required();
    sweep->add_option("--set", sweepRequest.sweep.assignments, "Move another slider (repeatable)")
        ->type_name("NAME=VALUE")
        ->allow_extra_args(false);
    sweep->add_flag("--power-div-1000", sweepRequest.sweep.powerOptionCount, "Tick power/1000: tx-power reads in mW");
    sweep->add_option("--csv", sweepRequest.csvPath, "Write the table to FILE")->type_name("FILE");
    sweep->add_option("--svg", sweepRequest.svgPath, "Write the picture to FILE")->type_name("FILE");
    sweep
        ->add_option("--percent", sweepRequest.sweep.percents,
                     "Add the two ITU-R methods at P % of the year, 0 < P < 100 (repeatable)")
        ->type_name("P")
        ->allow_extra_args(false);
    sweep->footer(std::string(sweepHelp()));
    AvailabilityRequest availabilityRequest;
    auto* availability = addAvailability(app, availabilityRequest);
    ProfileRequest profileRequest;
    auto* profile = addProfile(app, profileRequest);
    MapsRequest mapsRequest;
    auto* maps = addMapsCommand(app, mapsRequest);
    for (auto* option : {set, power, jsonFlag, valuesFlag, batchFlag, jobsOption}) {
        sweep->excludes(option);
        availability->excludes(option);
        profile->excludes(option);
        maps->excludes(option);
    }
    app.set_version_flag("--version", std::string("tropolink-cli ") + TROPOLINK_VERSION);
    app.footer(helpFooter());

    try {
        app.parse(argc, argv);
    } catch (const CLI::Success& e) {  // --help, --version
        app.exit(e);
        return std::cout.flush() ? kExitOk : kExitIoError;
    } catch (const CLI::ParseError& e) {
        const auto allowed = sweep->parsed()          ? kAllowedSweepArguments
                             : availability->parsed() ? kAllowedAvailabilityArguments
                             : profile->parsed()      ? kAllowedProfileArguments
                             : maps->parsed()         ? mapsAllowedArguments(*maps)
                                                      : kAllowedOptions;
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
    else if (availability->parsed())
        result = runAvailability(availabilityRequest, STDIN_FILENO, out);
    else if (profile->parsed())
        result = runProfile(profileRequest, out);
    else if (maps->parsed())
        result = runMaps(mapsRequest, out);
    else
        result = batch ? runBatch(STDIN_FILENO, out, values, jobs) : runSingle(request, out);
    if (!result.diagnostic.empty()) std::cerr << result.diagnostic << '\n';
    return result.exitStatus;
}
