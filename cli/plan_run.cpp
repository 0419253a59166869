#include "cli/plan_run.h"

#include <filesystem>

#include "cli/output_paths.h"
#include "cli/profile_sites.h"
#include "climate/map_error.h"
#include "grammar/input_error.h"
#include "io/file_output.h"
#include "link/pass_window.h"
#include "plan/plan_json.h"
#include "plan/plan_run.h"
#include "plan/plan_toml.h"
#include "plan/report_time.h"
#include "plan_report/plan_report.h"
#include "report/profile_svg.h"
#include "terrain/terrain_error.h"

namespace tropolink::cli {
namespace {

RunResult badInput(const std::exception& e) { return {kExitBadInput, diagnostic(e.what())}; }

RunResult writeTemplate(const PlanRequest& r) {
    std::error_code error;
    if (std::filesystem::exists(std::filesystem::symlink_status(r.file, error)))
        return badInput(InputError(r.file, "already exists", "a new file for plan --new"));
    for (const auto& [given, name] : {std::pair{r.jsonCount > 0, "--json"}, std::pair{r.report.has_value(), "--report"},
                                      std::pair{r.kml.has_value(), "--kml"}, std::pair{r.geojson.has_value(), "--geojson"},
                                      std::pair{r.svg.has_value(), "--svg"}, std::pair{r.maps.has_value(), "--maps"}})
        if (given) return badInput(InputError(name, "given with --new", "plan --new FILE alone"));
    if (const auto failed = writeFile(r.file, planTemplate())) return failedWrite(*failed);
    return {};
}

// What a plan's form allows of the output files.
void checkOutputs(const PlanRequest& r, const CheckedPlan& plan) {
    const bool sites = plan.station1.site.has_value();
    for (const auto& [given, name] : {std::pair{r.kml.has_value(), "--kml"}, std::pair{r.geojson.has_value(), "--geojson"}})
        if (given && !sites) throw InputError(name, "given for a plan without sites", "--kml and --geojson with sites");
    if (r.svg && plan.form == PlanForm::Settings)
        throw InputError("--svg", "given for a plan without terrain", "--svg with [path].dem or [path].profile");
}

InputFiles planInputs(const PlanRequest& r, const CheckedPlan& plan) {
    InputFiles inputs;
    inputs.add(r.file);
    for (const std::string& dem : plan.dems) inputs.add(dem);
    if (plan.profile) inputs.add(plan.profile->string());
    return inputs;
}

}  // namespace

RunResult runPlanCommand(const PlanRequest& r, Output& out) {
    Plan plan;
    CheckedPlan checked;
    InputFiles inputs;
    const std::vector<OutputPath> outputs{{"--report", r.report}, {"--kml", r.kml}, {"--geojson", r.geojson}, {"--svg", r.svg}};
    try {
        refuseRepeatedFlag(r.newCount, "--new");
        if (r.newCount > 0) return writeTemplate(r);
        refuseRepeatedFlag(r.jsonCount, "--json");
        checkOutputPaths(outputs);
        checkOutputPlaces({outputs[1], outputs[2]});
        for (const auto& [option, path] : {std::pair{"--report", &r.report}, std::pair{"--kml", &r.kml},
                                           std::pair{"--geojson", &r.geojson}, std::pair{"--svg", &r.svg}})
            if (*path == kStandardOutputPath)
                throw InputError(std::string(option) + " -", "standard output", "a file name");
        plan = readPlan(r.file);
        checked = checkPlan(plan);
        checkOutputs(r, checked);
        checkOutputsAreNotInputs(outputs, inputs = planInputs(r, checked));
    } catch (const InputError& e) {
        return badInput(e);
    } catch (const PlanError& e) {
        return badInput(e);
    }

    MapsInUse maps;
    if (planNeedsMaps(checked))
        if (RunResult loaded = loadClimateMaps(r.maps, maps); loaded.exitStatus != kExitOk) return loaded;
    if (maps) {
        inputs.add(maps->folder().string());
        try {
            checkOutputsAreNotInputs(outputs, inputs);
        } catch (const InputError& e) {
            return badInput(e);
        }
    }
    PlanMaps planMaps{maps, nullptr, {}};
    if (planNeedsMaps(checked)) {
        try {
            PlanMaps found = findPlanMaps(r.maps ? std::optional<std::filesystem::path>(*r.maps) : std::nullopt);
            planMaps.p2001All = std::move(found.p2001All);
            planMaps.folders = std::move(found.folders);
        } catch (const climate::MapError& e) {
            return {kExitBadInput, diagnostic(e.what())};
        }
    }
    PlanResult result;
    try {
        result = runPlanWithMaps(checked, planMaps);
    } catch (const GroundError& e) {
        return badInput(e);
    } catch (const std::system_error& e) {  // a profile that cannot be read
        return badInput(e);
    } catch (const NumericFault& e) {
        return {kExitNumericFault, diagnostic(numericFaultMessage(e))};
    }

    if (r.jsonCount > 0)
        appendPlanJson(out.buffer(), plan, result);
    else
        appendPlanText(out.buffer(), result);
    std::vector<std::string> features(2);
    if (result.placed && (r.kml || r.geojson)) {
        SiteArguments named;
        named.kml = r.kml;
        named.geojson = r.geojson;
        try {
            features = pathFeatureTexts(named, *result.placed, *result.places);
        } catch (const terrain::TerrainError& e) {
            return {kExitIoError, diagnostic(e.what())};
        }
    }
    std::string html;
    if (r.report)
        html = planReportHtml(plan, result,
                              {reportTime(), r.version, std::filesystem::path(r.file).filename().string()});
    std::string svg;
    if (r.svg) svg = profileSvg({result.points, *result.derived, result.values, result.settingsLine});
    return writeOutputs(outputs, {html, features[0], features[1], svg}, out);
}

}  // namespace tropolink::cli
