#include "cli/availability_run.h"

#include "batch/jobs_option.h"
#include "cli/output_paths.h"
#include "grammar/input_error.h"
#include "link/availability_link.h"
#include "report/availability_json.h"
#include "report/availability_table.h"
#include "report/error_json.h"

namespace tropolink::cli {
namespace {

RunResult answerOnce(const Settings& settings, const AvailabilityOptions& options, bool json, Output& out) {
    HeadlessWindow window;
    try {
        const PassValues values = runPass(window, settings);
        const itur::AvailabilityAnswer answer = availabilityAnswer(values, options);
        if (json)
            appendAvailabilityLine(out.buffer(), answer, &values.geometry);
        else
            appendAvailabilityTable(out.buffer(), answer, options, values.geometry);
    } catch (const NumericFault& e) {
        return {kExitNumericFault, diagnostic(numericFaultMessage(e))};
    }
    if (!out.flush()) return {kExitIoError, ioFailure("write to standard output", out.errorNumber())};
    return {};
}

}  // namespace

LineOutcome answerAvailabilityLine(const InputLine& line, long long lineNumber, const AvailabilityOptions& options,
                                   HeadlessWindow& window, std::string& out) {
    Settings settings;
    const LineOutcome read = readLineSettings(line, lineNumber, settings, out);
    if (read != LineOutcome::Answered) return read;
    try {
        const PassValues values = runPass(window, settings);
        appendAvailabilityLine(out, availabilityAnswer(values, options), &values.geometry);
        return LineOutcome::Answered;
    } catch (const NumericFault& e) {
        appendErrorObject(out, lineNumber, numericFaultMessage(e));
        return LineOutcome::NumericFault;
    }
}

RunResult runAvailability(const AvailabilityRequest& request, int inputFd, Output& out) {
    AvailabilityOptions options;
    Settings settings;
    int jobs = 1;
    try {
        refuseRepeatedFlag(request.jsonCount, "--json");
        refuseRepeatedFlag(request.batchCount, "--batch");
        if (request.powerOptionCount > 1) refuseRepeatedPowerOption("--power-div-1000");
        options = validateAvailabilityOptions(request.arguments);
        jobs = jobsOrDefault(request.jobs);
        if (request.batchCount == 1 && (!request.assignments.empty() || request.powerOptionCount > 0))
            throw InputError(request.assignments.empty() ? "--power-div-1000" : "--set", "given with --batch",
                             "settings on the lines of standard input, or --set without --batch");
        settings = settingsFromArguments(request.assignments, request.powerOptionCount == 1);
    } catch (const InputError& e) {
        return {kExitBadInput, diagnostic(e.what())};
    }
    if (request.batchCount == 0) return answerOnce(settings, options, request.jsonCount == 1, out);
    // A batch with a requirement asks for the availabilities; the margins at
    // the improvement percentages would cost three times as much again.
    if (options.fading && options.requiredSnrDb) options.fading->improvementMargins = false;
    return runBatch(
        inputFd, out,
        [&options](const InputLine& line, long long number, HeadlessWindow& window, std::string& text) {
            return answerAvailabilityLine(line, number, options, window, text);
        },
        jobs);
}

}  // namespace tropolink::cli
