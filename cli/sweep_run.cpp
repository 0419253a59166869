#include "cli/sweep_run.h"

#include "report/file_output.h"
#include "link/input_error.h"
#include "batch/jobs_option.h"
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
    SweepPlan plan;
    std::vector<SweepPoint> points;
    try {
        plan = planSweep(request.sweep);
        points = runSweepPasses(plan, jobsOrDefault(request.jobs));
    } catch (const InputError& e) {
        return {kExitBadInput, diagnostic(e.what())};
    } catch (const NumericFault& e) {
        return {kExitNumericFault, diagnostic(numericFaultMessage(e))};
    }

    if (request.csvPath.empty() && request.svgPath.empty()) {
        appendSweepCsv(out.buffer(), plan, points);
        if (!out.flush()) return {kExitIoError, ioFailure("write to standard output", out.errorNumber())};
        return {};
    }
    if (!request.csvPath.empty())
        if (RunResult r = writeFile(request.csvPath, csvText(plan, points)); r.exitStatus != kExitOk) return r;
    if (!request.svgPath.empty()) return writeFile(request.svgPath, svgPlot(plan, points));
    return {};
}

}  // namespace tropolink::cli
