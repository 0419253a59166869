#include "cli/profile_run.h"

#include <algorithm>
#include <optional>

#include "batch/jobs_option.h"
#include "climate/map_error.h"
#include "cli/output_paths.h"
#include "grammar/batch_line.h"
#include "grammar/input_error.h"
#include "grammar/number_text.h"
#include "grammar/option_ranges.h"
#include "ground/ground.h"
#include "ground/site_profile.h"
#include "link/availability_link.h"
#include "link/pass_window.h"
#include "link/profile_answer.h"
#include "link/p2001_maps.h"
#include "link/profile_link.h"
#include "plan/mechanism_run.h"
#include "plan/mechanism_text.h"
#include "plan/plan_run.h"
#include "profile/profile_csv.h"
#include "profile/rays.h"
#include "report/availability_json.h"
#include "report/availability_table.h"
#include "report/box_writers.h"
#include "report/climate_report.h"
#include "report/path_report.h"
#include "report/profile_report.h"
#include "report/profile_svg.h"
#include "terrain/terrain_error.h"

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
                        const itur::ItuLink& link, bool sites) {
    out += sites ? "\nITU-R methods on the ITU earth's horizons of this path: " : "\nITU-R methods on the profile's own geometry: ";
    out += "horizon angles ";
    appendFixed(out, link.geometry.thetaTMrad, 4);
    out += " and ";
    appendFixed(out, link.geometry.thetaRMrad, 4);
    out += " mrad,\nantenna heights ";
    appendFixed(out, link.geometry.antennaHeight1M, 1);
    out += " and ";
    appendFixed(out, link.geometry.antennaHeight2M, 1);
    out += " m asl, ground under the common volume ";
    appendFixed(out, link.groundHeightKm, 3);
    out += " km (not the slider grid)\n";
    appendAvailabilityTable(out, answer, options);
}

RunResult badInput(const std::exception& e) { return {kExitBadInput, diagnostic(e.what())}; }

// The complete P.2001 beside the troposcatter methods: both directions where
// the path has sites and the 14 maps are installed.
PlanMechanisms profileMechanisms(const Ground& ground, const ProfileAnswer& a, const AvailabilityOptions& options,
                                 const PlanMaps& maps, std::pair<double, double> masts) {
    if (!ground.placed)
        return skippedMechanisms(MechanismSkip::NoSites,
                                 "the complete P.2001 needs the ends' coordinates to read its maps: give --from and --to");
    if (!maps.p2001All) return skippedMechanisms(MechanismSkip::NoMaps, missingP2001MapsLine(maps.folders));
    MechanismPath path;
    path.points = ground.points;
    path.site1 = ground.placed->site1;
    path.site2 = ground.placed->site2;
    path.frequencyMhz = a.link->frequencyMhz;
    path.mast1M = masts.first;
    path.mast2M = masts.second;
    path.gain1Dbi = a.link->gain1Dbi;
    path.gain2Dbi = a.link->gain2Dbi;
    MechanismRequirement requirement;
    requirement.budget = linkBudget(a.values);
    requirement.percents = options.percents;
    requirement.requiredSnrDb = options.requiredSnrDb;
    return runMechanisms(path, requirement, p2001MapReader(maps.p2001All), maps.p2001All->folder().string());
}

}  // namespace

RunResult runProfile(const ProfileRequest& request, Output& out) {
    double mast1 = 0;
    double mast2 = 0;
    SettingsBuilder requested(false);
    AvailabilityOptions availabilityOptions;
    SiteOptions siteOptions;
    const bool pictureOnStdout = request.svgPath == kStandardOutputPath;
    const SiteArguments& sa = request.sites;
    const std::vector<OutputPath> outputs{
        {"--svg", request.svgPath}, {"--write-profile", sa.writeProfile}, {"--kml", sa.kml}, {"--geojson", sa.geojson}};
    InputFiles inputs;
    try {
        refuseRepeatedFlag(request.jsonCount, "--json");
        refuseRepeatedFlag(request.availabilityCount, "--availability");
        checkOutputPaths(outputs);
        checkOutputPlaces({outputs[2], outputs[3]});
        for (const OutputPath& features : {outputs[2], outputs[3]})
            if (features.path == kStandardOutputPath)
                throw InputError(std::string(features.option) + " -", "standard output", "a file name");
        if (request.file && *request.file != "-") inputs.add(*request.file);
        for (const std::string& dem : sa.dems) inputs.add(dem);
        checkOutputsAreNotInputs(outputs, inputs);
        // Standard output carries one thing: the picture leaves no room for the report.
        if (pictureOnStdout && (request.jsonCount > 0 || request.availabilityCount > 0))
            throw InputError("--svg=-", request.jsonCount > 0 ? "given with --json" : "given with --availability",
                             "--svg - alone, or --svg FILE with the report on standard output");
        siteOptions = checkSiteArguments(sa, request.file);
        if (request.availabilityCount > 0)
            availabilityOptions = validateAvailabilityOptions(request.availabilityArguments);
        mast1 = readNumberOption(kMast1Option, request.mast1);
        mast2 = readNumberOption(kMast2Option, request.mast2);
        requested = requestedSettings(request);
        if (request.jobs) parseJobs(*request.jobs);  // checked as elsewhere, though one pass needs one thread
    } catch (const InputError& e) {
        return badInput(e);
    } catch (const terrain::TerrainError& e) {
        return badInput(e);
    }

    // The ground: from the DEMs between the sites, or from the file, which
    // the sites, when given, lay along the geodesic.
    Ground ground;
    profile::ProfileSettings derived;
    try {
        ground = readGround({sa.dems, request.file, siteOptions.sites, siteOptions.profile});
        derived = groundSettings(ground, mast1, mast2);
    } catch (const GroundError& e) {
        return badInput(e);
    } catch (const std::system_error& e) {
        // A file that cannot be read is bad input like a bad row; a failing
        // standard input is the tool's trouble, as for --batch.
        const bool standardInput = request.file && *request.file == "-";
        return {standardInput ? kExitIoError : kExitBadInput, diagnostic(e.what())};
    }
    const std::vector<profile::ProfilePoint>& points = ground.points;
    const std::optional<PlacedProfile>& placed = ground.placed;

    // With sites, the climate comes from the maps where no option gives it,
    // and N0 sets the calculator's refractivity slider unless --set does.
    MapsInUse maps;
    if (placed) {
        if (RunResult loaded = loadClimateMaps(sa.maps, maps); loaded.exitStatus != kExitOk) return loaded;
    }
    if (maps) {
        inputs.add(maps->folder().string());
        try {
            checkOutputsAreNotInputs(outputs, inputs);
        } catch (const InputError& e) {
            return badInput(e);
        }
    }
    HeadlessWindow window;
    ProfileAnswer a;
    try {
        a = answerProfile({points, placed ? &*placed : nullptr}, derived, requested,
                          request.availabilityCount > 0 ? &availabilityOptions : nullptr, maps, window);
    } catch (const NumericFault& e) {
        return {kExitNumericFault, diagnostic(numericFaultMessage(e))};
    }
    std::optional<PlanMechanisms> mechanisms;
    if (request.availabilityCount > 0) {
        PlanMaps found;
        try {
            if (placed) found = findPlanMaps(sa.maps ? std::optional<std::filesystem::path>(*sa.maps) : std::nullopt);
        } catch (const climate::MapError& e) {
            return badInput(e);
        }
        mechanisms = profileMechanisms(ground, a, availabilityOptions, found, {mast1, mast2});
    }
    // The printed line gives these same settings to --batch, so its boxes are these.
    const std::string& line = a.settingsLine;
    const PassValues& values = a.values;
    const std::optional<itur::AvailabilityAnswer>& answer = a.availability;
    if (pictureOnStdout) {
        // The picture alone, below.
    } else if (request.jsonCount > 0) {
        ProfileJsonExtras extras;
        if (placed) extras = {pathJson(*placed, *a.places), climateJson(*a.climate)};
        std::string object;
        appendProfileJson(object, derived, boxTextsOf(window), answer ? &*answer : nullptr, extras);
        // "{...}\n": the complete P.2001 joins as the object's last member.
        if (mechanisms) object.replace(object.size() - 2, 2, ",\"p2001All\":" + mechanismsJsonText(*mechanisms) + "}\n");
        out.buffer() += object;
    } else {
        out.buffer() += line + "\n\n";
        appendHorizonTable(out.buffer(), derived);
        out.buffer() += '\n';
        if (placed) {
            appendPathText(out.buffer(), *placed, *a.places);
            appendClimateText(out.buffer(), *a.climate);
            out.buffer() += '\n';
        }
        appendBoxLines(out.buffer(), boxTextsOf(window));
        if (answer) appendAvailability(out.buffer(), *answer, availabilityOptions, *a.link, placed.has_value());
        if (mechanisms) appendMechanismText(out.buffer(), *mechanisms, "station 1", "station 2");
    }
    std::vector<std::string> features(2);
    if (placed && (sa.kml || sa.geojson)) {
        try {
            features = pathFeatureTexts(sa, *placed, *a.places);
        } catch (const terrain::TerrainError& e) {
            return {kExitIoError, diagnostic(e.what())};
        }
    }
    return writeOutputs(outputs,
                        {request.svgPath ? profileSvg({points, derived, values, line}) : std::string(),
                         sa.writeProfile ? profileCsv(points) : std::string(), features[0], features[1]},
                        out);
}

}  // namespace tropolink::cli
