#include "cli/sweep_run.h"

#include "batch/jobs_option.h"
#include "cli/output_paths.h"
#include "link/input_error.h"
#include "link/pass_window.h"
#include "sweep/svg_plot.h"
#include "sweep/sweep_csv.h"

namespace tropolink::cli {
namespace {

std::string csvText(const SweepPlan& plan, const std::vector<SweepPoint>& points) {
    std::string text;
    appendSweepCsv(text, plan, points);
    return text;
}

}  // namespace

RunResult runSweep(const SweepRequest& request, Output& out) {
    const std::vector<OutputPath> paths{{"--csv", request.csvPath}, {"--svg", request.svgPath}};
    SweepPlan plan;
    std::vector<SweepPoint> points;
    try {
        checkOutputPaths(paths);
        plan = planSweep(request.sweep);
        points = runSweepPasses(plan, jobsOrDefault(request.jobs));
    } catch (const InputError& e) {
        return {kExitBadInput, diagnostic(e.what())};
    } catch (const NumericFault& e) {
        return {kExitNumericFault, diagnostic(numericFaultMessage(e))};
    }

    if (!request.csvPath && !request.svgPath) {
        appendSweepCsv(out.buffer(), plan, points);
        if (!out.flush()) return {kExitIoError, ioFailure("write to standard output", out.errorNumber())};
        return {};
    }
    return writeOutputs(
        paths, {request.csvPath ? csvText(plan, points) : "", request.svgPath ? svgPlot(plan, points) : ""}, out);
}

}  // namespace tropolink::cli
