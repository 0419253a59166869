#include "cli/sweep_run.h"

#include "batch/jobs_option.h"
#include "cli/output_paths.h"
#include "grammar/input_error.h"
#include "link/pass_window.h"
#include "sweep/svg_plot.h"
#include "sweep/sweep_csv.h"

namespace tropolink::cli {

RunResult runSweep(const SweepRequest& request, Output& out) {
    const std::vector<OutputPath> paths{{"--csv", request.csvPath}, {"--svg", request.svgPath}};
    SweepPlan plan;
    int jobs = 1;
    try {
        checkOutputPaths(paths);
        plan = planSweep(request.sweep);
        jobs = jobsOrDefault(request.jobs);
    } catch (const InputError& e) {
        return {kExitBadInput, diagnostic(e.what())};
    }

    // Rows are written, and curve values kept, as the workers finish them: a
    // sweep holds a few chunks of points, never the whole grid. The table goes
    // to standard output when no file is named, or with --csv -.
    const bool csvToStandardOutput =
        (!request.csvPath && !request.svgPath) || (request.csvPath && *request.csvPath == kStandardOutputPath);
    const bool csv = csvToStandardOutput || request.csvPath.has_value();
    const bool svg = request.svgPath.has_value();
    std::string csvFile;
    std::string& table = csvToStandardOutput ? out.buffer() : csvFile;
    SweepCurves curves = startCurves(plan);
    if (csv) appendSweepCsvHeader(table, plan);
    try {
        const bool written = runSweepPasses(
            plan,
            [&](const SweepPoint& point) {
                if (csv) appendSweepCsvRow(table, plan, point);
                if (svg) addPoint(curves, plan, point);
                return !(csvToStandardOutput && table.size() >= kOutputBufferBytes && !out.flush());
            },
            jobs);
        if (!written || (csvToStandardOutput && !out.flush()))
            return {kExitIoError, ioFailure("write to standard output", out.errorNumber())};
    } catch (const NumericFault& e) {
        return {kExitNumericFault, diagnostic(numericFaultMessage(e))};
    }
    if (csvToStandardOutput && !svg) return {};
    const std::optional<std::string> noPath;
    const std::vector<OutputPath> files{{"--csv", csvToStandardOutput ? noPath : request.csvPath},
                                        {"--svg", request.svgPath}};
    return writeOutputs(files, {csvFile, svg ? svgPlot(plan, curves) : std::string()}, out);
}

}  // namespace tropolink::cli
