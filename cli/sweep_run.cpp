#include "cli/sweep_run.h"

#include "report/file_output.h"
#include "link/input_error.h"
#include "link/pass_window.h"
#include "sweep/svg_plot.h"
#include "sweep/sweep_csv.h"

namespace tropolink::cli {

RunResult runSweep(const SweepRequest& request, Output& out) {
    SweepPlan plan;
    try {
        plan = planSweep(request.sweep);
    } catch (const InputError& e) {
        return {kExitBadInput, diagnostic(e.what())};
    }

    // Rows are written, and curve values kept, as the workers finish them: a
    // sweep holds a few chunks of points, never the whole grid.
    const bool toStandardOutput = request.csvPath.empty() && request.svgPath.empty();
    const bool csv = toStandardOutput || !request.csvPath.empty();
    const bool svg = !request.svgPath.empty();
    std::string csvFile;
    std::string& table = toStandardOutput ? out.buffer() : csvFile;
    SweepCurves curves = startCurves(plan);
    if (csv) appendSweepCsvHeader(table, plan);
    try {
        const bool written = runSweepPasses(plan, [&](const SweepPoint& point) {
            if (csv) appendSweepCsvRow(table, plan, point);
            if (svg) addPoint(curves, plan, point);
            return !(toStandardOutput && table.size() >= kOutputBufferBytes && !out.flush());
        });
        if (!written || (toStandardOutput && !out.flush()))
            return {kExitIoError, ioFailure("write to standard output", out.errorNumber())};
    } catch (const NumericFault& e) {
        return {kExitNumericFault, diagnostic(numericFaultMessage(e))};
    }
    if (toStandardOutput) return {};
    if (csv)
        if (RunResult r = writeFile(request.csvPath, csvFile); r.exitStatus != kExitOk) return r;
    if (svg) return writeFile(request.svgPath, svgPlot(plan, curves));
    return {};
}

}  // namespace tropolink::cli
