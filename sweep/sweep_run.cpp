#include "sweep/sweep_run.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

#include "cli/input_error.h"
#include "cli/pass_window.h"
#include "sweep/svg_plot.h"
#include "sweep/sweep_csv.h"

namespace tropolink::cli {
namespace {

// Writes `text` to the file at `path`, replacing what was there.
RunResult writeFile(const std::string& path, const std::string& text) {
    const std::string shownPath = quoteInput(path);
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0) {
        const int openError = errno;
        return {kExitIoError, ioFailure("open " + shownPath, openError)};
    }
    Output file(fd);
    file.buffer() += text;
    const bool written = file.flush();
    // A full disk may only show when the file is closed.
    const int closeError = ::close(fd) == 0 ? 0 : errno;
    if (!written) return {kExitIoError, ioFailure("write " + shownPath, file.errorNumber())};
    if (closeError != 0) return {kExitIoError, ioFailure("write " + shownPath, closeError)};
    return {};
}

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
        plan = planSweep(request);
        points = runSweepPasses(plan);
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
