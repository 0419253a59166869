#include "cli/single_run.h"

#include "grammar/input_error.h"
#include "link/pass_window.h"
#include "report/box_writers.h"

namespace tropolink::cli {

RunResult runSingle(const SingleRunRequest& request, Output& out) {
    Settings settings;
    try {
        if (request.powerOptionCount > 1) refuseRepeatedPowerOption("--power-div-1000");
        settings = settingsFromArguments(request.assignments, request.powerOptionCount == 1);
    } catch (const InputError& e) {
        return {kExitBadInput, diagnostic(e.what())};
    }
    return printPass(settings, request.format, out);
}

RunResult printPass(const Settings& settings, OutputFormat format, Output& out) {
    HeadlessWindow window;
    try {
        const PassValues values = runPass(window, settings);
        if (format == OutputFormat::Text)
            appendBoxLines(out.buffer(), boxTextsOf(window));
        else
            appendBoxObject(out.buffer(), boxTextsOf(window), format == OutputFormat::JsonWithValues ? &values : nullptr);
    } catch (const NumericFault& e) {
        return {kExitNumericFault, diagnostic(numericFaultMessage(e))};
    }
    if (!out.flush()) return {kExitIoError, ioFailure("write to standard output", out.errorNumber())};
    return {};
}

}  // namespace tropolink::cli
