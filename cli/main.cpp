#include <unistd.h>

#include <CLI/CLI.hpp>
#include <algorithm>
#include <csignal>
#include <iostream>
#include <new>
#include <optional>
#include <string>

#include "batch/jobs_option.h"
#include "batch/ordered_workers.h"
#include "cli/availability_run.h"
#include "cli/batch_run.h"
#include "cli/command_line.h"
#include "cli/coverage_command.h"
#include "cli/help_text.h"
#include "cli/maps_command.h"
#include "cli/p2001_all_run.h"
#include "cli/plan_run.h"
#include "cli/profile_run.h"
#include "cli/single_run.h"
#include "cli/sweep_run.h"
#include "grammar/input_error.h"
#include "grammar/option_ranges.h"
#include "itur/method_names.h"
#include "tropolink_version.h"

namespace {

using namespace tropolink;
using namespace tropolink::cli;

std::string oneLine(std::string text) {
    std::replace(text.begin(), text.end(), '\n', ' ');
    return text;
}

std::string capitalized(std::string text) {
    if (!text.empty() && text.front() >= 'a' && text.front() <= 'z')
        text.front() = static_cast<char>(text.front() - 'a' + 'A');
    return text;
}

std::vector<std::string>* optionValues(AvailabilityArguments& a, const NumberOption& option) {
    if (&option == &kDeltaNOption) return &a.deltaN;
    if (&option == &kN0Option) return &a.n0;
    if (&option == &kGroundHeightOption) return &a.groundHeightKm;
    if (&option == &kClimateZoneOption) return &a.climateZone;
    if (&option == &kRequiredSnrOption) return &a.requiredSnr;
    if (&option == &kBranchCorrelationOption) return &a.branchCorrelation;
    return &a.percents;
}

struct DiversityWord {
    std::string name;
    std::string type;
    std::string what;
    std::vector<std::string> AvailabilityArguments::* values;
};

// The diversity options that are words; --branch-correlation is a number option.
const std::vector<DiversityWord>& diversityWords() {
    static const std::vector<DiversityWord> words{
        {"--diversity-order", "N", "receiving branches, fading within the hour: 1, 2 or 4 (default 1)",
         &AvailabilityArguments::diversityOrder},
        {"--combiner", "NAME", "how the branches combine: selection or maximal-ratio (default selection)",
         &AvailabilityArguments::combiner}};
    return words;
}

std::vector<CLI::Option*> addDiversity(CLI::App* sub, AvailabilityArguments& a, const std::string& prefix) {
    const auto help = [&prefix](const std::string& what) { return prefix.empty() ? capitalized(what) : prefix + what; };
    std::vector<CLI::Option*> added;
    for (const DiversityWord& w : diversityWords())
        added.push_back(sub->add_option(w.name, a.*w.values, help(w.what))->type_name(w.type)->option_text(w.type)
                            ->allow_extra_args(false));
    const std::string type(kBranchCorrelationOption.valueName);
    added.push_back(sub->add_option(std::string(kBranchCorrelationOption.name), a.branchCorrelation,
                                    help(optionHelp(kBranchCorrelationOption)))
                        ->type_name(type)
                        ->option_text(type)
                        ->allow_extra_args(false));
    return added;
}

// An option kept as given, even empty; its run function reads and checks it.
CLI::Option* addOptionalText(CLI::App* sub, const std::string& name, std::optional<std::string>& text,
                             const std::string& what) {
    return sub->add_option_function<std::string>(
        name, [&text](const std::string& given) { text = given; }, what);
}

// --jobs N of a subcommand, read as the tool's own --jobs.
CLI::Option* addJobs(CLI::App* sub, std::optional<std::string>& jobs, const std::string& what) {
    return addOptionalText(sub, "--jobs", jobs, what)->type_name("N");
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
    value(std::string(kPercentOption.name), a.percents, capitalized(optionHelp(kPercentOption)) + ", repeatable",
          std::string(kPercentOption.valueName));
    for (const NumberOption* option :
         {&kDeltaNOption, &kN0Option, &kGroundHeightOption, &kClimateZoneOption, &kRequiredSnrOption})
        once(std::string(option->name), *optionValues(a, *option), capitalized(optionHelp(*option)),
             std::string(option->valueName));
    addDiversity(sub, a, "");
    sub->add_flag("--json", r.jsonCount, "One JSON object instead of the table");
    auto* batch = sub->add_flag("--batch", r.batchCount, "One JSON object per line of standard input (settings lines)");
    addJobs(sub, r.jobs, "Workers for --batch (default: one per online processor)")->needs(batch);
    sub->footer(std::string(availabilityHelp()));
    return sub;
}

// The sites and the DEMs between them, as profile and p2001-all take them.
void addGroundOptions(CLI::App* sub, SiteArguments& s, const std::string& fromHelp, const std::string& toHelp) {
    addOptionalText(sub, "--from", s.from, fromHelp)->type_name("LAT,LON");
    addOptionalText(sub, "--to", s.to, toHelp)->type_name("LAT,LON");
    sub->add_option("--dem", s.dems, "Elevation raster or folder of SRTM tiles, the ground between the sites (repeatable)")
        ->type_name("PATH")
        ->allow_extra_args(false);
    addOptionalText(sub, "--step-m", s.stepM, "With --dem: " + optionHelp(kStepOption) + " (default: the DEM's posts)")
        ->type_name("M");
    sub->add_flag("--sea-where-missing", s.seaWhereMissingCount, "With --dem: ground no DEM holds is sea, 0 m");
    sub->add_flag("--fill-voids", s.fillVoidsCount, "With --dem: voids filled along the path");
}

CLI::App* addProfile(CLI::App& app, ProfileRequest& r) {
    auto* sub = app.add_subcommand("profile", "Horizons and settings from a terrain profile, one pass on them");
    addOptionalText(sub, "file", r.file, "Profile CSV: distance km, ground height m asl; - for standard input")
        ->type_name("FILE");
    SiteArguments& s = r.sites;
    addGroundOptions(sub, s, "Station 1 on the earth, decimal degrees", "Station 2 on the earth, decimal degrees");
    addOptionalText(sub, "--write-profile", s.writeProfile, "Write the profile as the CSV that FILE reads")
        ->type_name("FILE");
    addOptionalText(sub, "--kml", s.kml, "With sites: write the path, horizons and common volume as KML")
        ->type_name("FILE");
    addOptionalText(sub, "--geojson", s.geojson, "With sites: the same as GeoJSON")->type_name("FILE");
    addOptionalText(sub, "--maps", s.maps, "With sites: the ITU-R maps' folder")->type_name("DIR");
    for (auto [option, mast] : {std::pair{&kMast1Option, &r.mast1}, std::pair{&kMast2Option, &r.mast2}})
        sub->add_option(std::string(option->name), *mast, capitalized(optionHelp(*option)))
            ->type_name(std::string(option->valueName));
    sub->add_option("--set", r.assignments, "Move a slider the profile does not fix (repeatable)")
        ->type_name("NAME=VALUE")
        ->allow_extra_args(false);
    sub->add_flag("--power-div-1000", r.powerOptionCount, "Tick power/1000: tx-power reads in mW");
    sub->add_flag("--json", r.jsonCount, "One JSON object: settings, horizon, boxes");
    addOptionalText(sub, "--svg", r.svgPath,
                    "Write the profile picture to FILE (-: standard output, without the report)")
        ->type_name("FILE");
    auto* availability = sub->add_flag("--availability", r.availabilityCount,
                                       "Add P.617 and P.2001 on the profile's exact angles and heights");
    AvailabilityArguments& a = r.availabilityArguments;
    // Every one but --percent once, and shown so; each refused without --availability.
    for (const NumberOption* option :
         {&kPercentOption, &kDeltaNOption, &kN0Option, &kClimateZoneOption, &kRequiredSnrOption}) {
        const std::string type(option->valueName);
        auto* added = sub->add_option(std::string(option->name), *optionValues(a, *option),
                                      "With --availability: " + optionHelp(*option) +
                                          (option == &kPercentOption ? ", repeatable" : ""))
                          ->type_name(type)
                          ->allow_extra_args(false)
                          ->needs(availability);
        if (option != &kPercentOption) added->option_text(type);
    }
    for (CLI::Option* added : addDiversity(sub, a, "With --availability: ")) added->needs(availability);
    addJobs(sub, r.jobs, "Accepted as by the other subcommands; the one pass runs on one thread");
    sub->footer(std::string(profileHelp()));
    return sub;
}

CLI::App* addP2001All(CLI::App& app, P2001AllRequest& r) {
    const auto& names = itur::methodNames(itur::ItuMethod::P2001All);
    auto* sub = app.add_subcommand(std::string(names.cli),
                                   "The complete ITU-R P.2001: Lb and its four mechanisms from a profile or the DEMs");
    addOptionalText(sub, "file", r.file,
                    "Profile: CSV of distance km, height m asl and optional zone, or the ITU's layout; - for "
                    "standard input")
        ->type_name("FILE");
    SiteArguments& s = r.sites;
    addGroundOptions(sub, s, "Station 1, the transmitter, decimal degrees", "Station 2, the receiver, decimal degrees");
    sub->add_option("--frequency-mhz", r.frequencies, "Frequencies, 30 to 50000 MHz")->type_name("F");
    sub->add_option("--percent", r.percents,
                    "Percentages of an average year, strictly between 0 and 100, at most 1000 (default 50 90 99 99.9 "
                    "99.99)")
        ->type_name("P");
    sub->add_option("--s1-mast-m", r.mast1, "Antenna 1 above its ground, above 0 m (default 10)")
        ->type_name("M")
        ->option_text("M");
    sub->add_option("--s2-mast-m", r.mast2, "Antenna 2 above its ground, above 0 m (default 10)")
        ->type_name("M")
        ->option_text("M");
    sub->add_option("--s1-gain-dbi", r.gain1, "Antenna 1's gain towards station 2, -50 to 100 dBi (default 0)")
        ->type_name("DBI")
        ->option_text("DBI");
    sub->add_option("--s2-gain-dbi", r.gain2, "Antenna 2's gain towards station 1, -50 to 100 dBi (default 0)")
        ->type_name("DBI")
        ->option_text("DBI");
    sub->add_option("--polarisation", r.polarisation, "vertical or horizontal (default vertical)")
        ->type_name("POL")
        ->option_text("POL");
    addOptionalText(sub, "--maps", s.maps, "The ITU-R maps' folder")->type_name("DIR");
    sub->add_flag("--json", r.jsonCount, "One JSON object with every intermediate of every row");
    sub->add_flag("--csv", r.csvCount, "The ITU's validation columns, a row per frequency and percentage");
    return sub;
}

CLI::App* addPlan(CLI::App& app, PlanRequest& r) {
    auto* sub = app.add_subcommand("plan", "Run a link plan file: verdict, path, climate, pass and ITU-R methods");
    sub->add_option("file", r.file, "The plan, a *.tropolink.toml file; with --new the file to create")
        ->type_name("FILE")
        ->required();
    sub->add_flag("--new", r.newCount, "Write a plan template with every key, its unit, range and default");
    sub->add_flag("--json", r.jsonCount, "One JSON object: the plan as read, every figure, verdicts, notes");
    addOptionalText(sub, "--report", r.report, "Write the link report, one self-contained HTML file")
        ->type_name("FILE.html");
    addOptionalText(sub, "--kml", r.kml, "With sites: write the path, horizons and common volume as KML")
        ->type_name("FILE");
    addOptionalText(sub, "--geojson", r.geojson, "With sites: the same as GeoJSON")->type_name("FILE");
    addOptionalText(sub, "--svg", r.svg, "With terrain: write the profile picture")->type_name("FILE");
    addOptionalText(sub, "--maps", r.maps, "With sites: the ITU-R maps' folder")->type_name("DIR");
    sub->footer(std::string(planHelp()));
    return sub;
}

}  // namespace

int main(int argc, char** argv) {
    // A reader that goes away is a write error like any other: exit status 1.
    std::signal(SIGPIPE, SIG_IGN);
    // So is a file grown past the size limit: the write fails and the tool says which file.
    std::signal(SIGXFSZ, SIG_IGN);

    CLI::App app{"Tropolink troposcatter link-loss calculator: one recalculation pass from the start positions.",
                 "tropolink-cli"};
    // Before the subcommands, which take the parent's formatter.
    app.formatter(std::make_shared<OneLineFormatter>());
    SingleRunRequest request;
    bool json = false;
    bool values = false;
    bool batch = false;
    auto* set = app.add_option("--set", request.assignments,
                               "Move a slider (repeatable, not with --batch); NAME and VALUE below")
                    ->type_name("NAME=VALUE")
                    ->allow_extra_args(false);
    auto* power = app.add_flag("--power-div-1000", request.powerOptionCount,
                               "Tick power/1000: tx-power reads in mW (not with --batch)");
    auto* jsonFlag = app.add_flag("--json", json,
                                  "One JSON object {\"Text1\": ..., \"Text52\": ...} instead of TextN<TAB>text lines");
    auto* valuesFlag = app.add_flag("--values", values, "Add the full-precision figures of the pass (implies --json)");
    auto* batchFlag =
        app.add_flag("--batch", batch,
                     "One pass per line of standard input, answered as JSON lines (not with --set or --power-div-1000)")
            ->excludes(set)
            ->excludes(power);
    std::string jobsText;
    auto* jobsOption = app.add_option(std::string(kJobsOption.name), jobsText, capitalized(optionHelp(kJobsOption)))
                           ->type_name(std::string(kJobsOption.valueName))
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
    addOptionalText(sweep, "--csv", sweepRequest.csvPath, "Write the table to FILE (-: standard output)")
        ->type_name("FILE");
    addOptionalText(sweep, "--svg", sweepRequest.svgPath, "Write the picture to FILE (-: standard output)")
        ->type_name("FILE");
    sweep
        ->add_option(std::string(kPercentOption.name), sweepRequest.sweep.percents,
                     "Add the two ITU-R methods at P % of the year, " + allowedValues(kPercentOption) + ", repeatable")
        ->type_name(std::string(kPercentOption.valueName))
        ->allow_extra_args(false);
    // Each once and with --percent; the sweep refuses a repeat or a lone one itself.
    for (const NumberOption* option : {&kDeltaNOption, &kGroundHeightOption, &kClimateZoneOption, &kRequiredSnrOption})
        sweep
            ->add_option(std::string(option->name), *optionValues(sweepRequest.sweep.methodOptions, *option),
                         "With --percent: " + optionHelp(*option))
            ->type_name(std::string(option->valueName))
            ->option_text(std::string(option->valueName))
            ->allow_extra_args(false);
    sweep->add_flag("--log-x", sweepRequest.sweep.logXCount,
                    "Logarithmic x axis in the picture (the swept values above 0)");
    addJobs(sweep, sweepRequest.jobs, "Workers for the passes (default: one per online processor)");
    sweep->footer(std::string(sweepHelp()));
    AvailabilityRequest availabilityRequest;
    auto* availability = addAvailability(app, availabilityRequest);
    ProfileRequest profileRequest;
    auto* profile = addProfile(app, profileRequest);
    MapsRequest mapsRequest;
    auto* maps = addMapsCommand(app, mapsRequest);
    PlanRequest planRequest;
    planRequest.version = TROPOLINK_VERSION;
    auto* plan = addPlan(app, planRequest);
    P2001AllRequest p2001AllRequest;
    auto* p2001All = addP2001All(app, p2001AllRequest);
    CoverageCommandRequest coverageRequest;
    auto* coverage = addCoverageCommand(app, coverageRequest);
    for (auto* option : {set, power, jsonFlag, valuesFlag, batchFlag, jobsOption}) {
        p2001All->excludes(option);
        plan->excludes(option);
        sweep->excludes(option);
        availability->excludes(option);
        profile->excludes(option);
        maps->excludes(option);
        coverage->excludes(option);
    }
    app.set_version_flag("--version", std::string("tropolink-cli ") + TROPOLINK_VERSION);
    app.footer(helpFooter());

    try {
        app.parse(argc, argv);
    } catch (const CLI::Success& e) {  // --help, --version
        app.exit(e);
        return std::cout.flush() ? kExitOk : kExitIoError;
    } catch (const CLI::ParseError& e) {
        const CLI::App* parsed = &app;
        for (const CLI::App* sub : {sweep, availability, profile, maps, plan, p2001All, coverage})
            if (sub->parsed()) parsed = sub;
        std::string message = parsed == &app ? std::string() : misplacedOptionMessage(app, *parsed);
        if (message.empty()) message = oneLine(e.what());
        // The maps subcommands share --maps with their parent, so maps names its own.
        const std::string allowed =
            parsed == maps ? std::string(mapsAllowedArguments(*maps)) : " (allowed: " + allowedArguments(*parsed) + ")";
        std::cerr << diagnostic(message + allowed) << '\n';
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
    try {
        if (sweep->parsed())
            result = runSweep(sweepRequest, out);
        else if (availability->parsed())
            result = runAvailability(availabilityRequest, STDIN_FILENO, out);
        else if (profile->parsed())
            result = runProfile(profileRequest, out);
        else if (maps->parsed())
            result = runMaps(mapsRequest, out);
        else if (plan->parsed())
            result = runPlanCommand(planRequest, out);
        else if (p2001All->parsed())
            result = runP2001All(p2001AllRequest, out);
        else if (coverage->parsed())
            result = runCoverageCommand(coverageRequest, out);
        else
            result = batch ? runBatch(STDIN_FILENO, out, values, jobs) : runSingle(request, out);
    } catch (const std::bad_alloc&) {
        result = {kExitBadInput, diagnostic("out of memory")};
    } catch (const std::exception& e) {  // no thread to be had, and the like
        result = {kExitIoError, diagnostic(oneLine(e.what()))};
    }
    if (!result.diagnostic.empty()) std::cerr << result.diagnostic << '\n';
    return result.exitStatus;
}
