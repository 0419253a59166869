#include "cli/profile_run.h"

#include <algorithm>
#include <optional>

#include "batch/jobs_option.h"
#include "cli/output_paths.h"
#include "cli/profile_input.h"
#include "link/availability_link.h"
#include "link/batch_line.h"
#include "link/input_error.h"
#include "link/number_text.h"
#include "link/option_ranges.h"
#include "link/pass_window.h"
#include "link/profile_link.h"
#include "profile/profile_csv.h"
#include "profile/rays.h"
#include "report/availability_json.h"
#include "report/availability_table.h"
#include "report/box_writers.h"
#include "report/profile_report.h"
#include "report/profile_svg.h"

namespace tropolink::cli {
namespace {

constexpr std::string_view kUnfixedSliders =
    "--set for sliders the profile does not fix: not the antenna heights, obstruction heights and distances, or "
    "distance-km";

SettingsBuilder requestedSettings(const ProfileRequest& request) {
    if (request.powerOptionCount > 1) refuseRepeatedPowerOption("--power-div-1000");
    SettingsBuilder builder(request.powerOptionCount == 1);
    for (const std::string& assignment : request.assignments) {
        const NamedValue named = splitAssignment(assignment);
        if (isProfileSlider(named.name.slider->slider))
            throw InputError(assignment, std::string(named.name.text()) + " is fixed by the profile", kUnfixedSliders);
        builder.assign(assignment);
    }
    return builder;
}

void appendAvailability(std::string& out, const itur::AvailabilityAnswer& answer, const AvailabilityOptions& options,
                        const itur::ItuLink& link) {
    out += "\navailability from the profile's exact horizon angles (";
    appendFixed(out, link.geometry.thetaTMrad, 4);
    out += " and ";
    appendFixed(out, link.geometry.thetaRMrad, 4);
    out += " mrad), antenna heights (";
    appendFixed(out, link.geometry.antennaHeight1M, 1);
    out += " and ";
    appendFixed(out, link.geometry.antennaHeight2M, 1);
    out += " m asl), path distance and ground under the common volume (";
    appendFixed(out, link.groundHeightKm, 3);
    out += " km), not the slider grid\n";
    appendAvailabilityTable(out, answer, options);
}

}  // namespace

RunResult runProfile(const ProfileRequest& request, Output& out) {
    double mast1 = 0;
    double mast2 = 0;
    SettingsBuilder requested(false);
    AvailabilityOptions availabilityOptions;
    const bool pictureOnStdout = request.svgPath == kStandardOutputPath;
    try {
        refuseRepeatedFlag(request.jsonCount, "--json");
        refuseRepeatedFlag(request.availabilityCount, "--availability");
        checkOutputPaths({{"--svg", request.svgPath}});
        // Standard output carries one thing: the picture leaves no room for the report.
        if (pictureOnStdout && (request.jsonCount > 0 || request.availabilityCount > 0))
            throw InputError("--svg=-", request.jsonCount > 0 ? "given with --json" : "given with --availability",
                             "--svg - alone, or --svg FILE with the report on standard output");
        if (request.availabilityCount > 0)
            availabilityOptions = validateAvailabilityOptions(request.availabilityArguments);
        mast1 = readNumberOption(kMast1Option, request.mast1);
        mast2 = readNumberOption(kMast2Option, request.mast2);
        requested = requestedSettings(request);
        if (request.jobs) parseJobs(*request.jobs);  // checked as elsewhere, though one pass needs one thread
    } catch (const InputError& e) {
        return {kExitBadInput, diagnostic(e.what())};
    }

    std::vector<profile::ProfilePoint> points;
    if (RunResult read = readProfileFile(request.file, points); read.exitStatus != kExitOk) return read;
    profile::ProfileSettings derived;
    try {
        derived = profile::deriveSettings(points, mast1, mast2);
    } catch (const profile::ProfileError& e) {
        return {kExitBadInput, diagnostic(profileMessage(request.file, e))};
    }

    // The printed line gives these same settings to --batch, so its boxes are these.
    const std::string line = settingsLine(derived, requested);
    HeadlessWindow window;
    PassValues values;
    try {
        values = runPass(window, profileSettings(derived, requested));
    } catch (const NumericFault& e) {
        return {kExitNumericFault, diagnostic(numericFaultMessage(e))};
    }

    std::optional<itur::ItuLink> link;
    std::optional<itur::AvailabilityAnswer> answer;
    if (request.availabilityCount > 0) {
        link = profileLink(values, availabilityOptions, points, derived);
        answer = itur::answerAvailability(*link, linkBudget(values), availabilityOptions.percents,
                                          availabilityOptions.requiredSnrDb);
    }
    if (pictureOnStdout) {
        // The picture alone, below.
    } else if (request.jsonCount > 0) {
        appendProfileJson(out.buffer(), derived, window, answer ? &*answer : nullptr);
    } else {
        out.buffer() += line + "\n\n";
        appendHorizonTable(out.buffer(), derived);
        out.buffer() += '\n';
        appendBoxLines(out.buffer(), window);
        if (answer) appendAvailability(out.buffer(), *answer, availabilityOptions, *link);
    }
    if (!request.svgPath) {
        if (!out.flush()) return {kExitIoError, ioFailure("write to standard output", out.errorNumber())};
        return {};
    }
    return writeOutputs({{"--svg", request.svgPath}}, {profileSvg({points, derived, values, line})}, out);
}

}  // namespace tropolink::cli
