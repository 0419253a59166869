#include "cli/batch.h"

#include <algorithm>

#include "cli/batch_line.h"
#include "cli/box_writers.h"
#include "cli/error_json.h"
#include "cli/input_error.h"
#include "cli/run_result.h"

namespace tropolink::cli {
namespace {

const std::string kTooLong = "longer than " + std::to_string(kMaxLineBytes) + " bytes";
const std::string kAllowedLength = "lines of at most " + std::to_string(kMaxLineBytes) + " bytes";

// Worse outcomes decide the exit status: a failed pass over a refused line.
int exitStatusOf(LineOutcome outcome) {
    switch (outcome) {
        case LineOutcome::BadInput:
            return kExitBadInput;
        case LineOutcome::NumericFault:
            return kExitNumericFault;
        case LineOutcome::Nothing:
        case LineOutcome::Answered:
            break;
    }
    return kExitOk;
}

}  // namespace

LineOutcome readLineSettings(const InputLine& line, long long lineNumber, Settings& settings, std::string& out) {
    const auto first = line.truncated ? line.firstNonBlank : firstNonBlank(line.text);
    if (asksForNothing(first)) return LineOutcome::Nothing;
    try {
        if (line.truncated) throw InputError(line.text, line.truncatedLength, kTooLong, kAllowedLength);
        settings = parseBatchLine(line.text);
    } catch (const InputError& e) {
        appendErrorObject(out, lineNumber, e.what());
        return LineOutcome::BadInput;
    }
    return LineOutcome::Answered;
}

LineOutcome answerLine(const InputLine& line, long long lineNumber, bool withValues, HeadlessWindow& window,
                       std::string& out) {
    Settings settings;
    const LineOutcome read = readLineSettings(line, lineNumber, settings, out);
    if (read != LineOutcome::Answered) return read;
    return answerSettings(settings, lineNumber, withValues, window, out);
}

LineOutcome answerSettings(const Settings& settings, long long lineNumber, bool withValues, HeadlessWindow& window,
                           std::string& out) {
    try {
        const PassValues values = runPass(window, settings);
        appendBoxObject(out, window, withValues ? &values : nullptr);
        return LineOutcome::Answered;
    } catch (const NumericFault& e) {
        appendErrorObject(out, lineNumber, numericFaultMessage(e));
        return LineOutcome::NumericFault;
    }
}

RunResult runBatch(int inputFd, Output& out, bool withValues) {
    return runBatch(inputFd, out,
                    [withValues](const InputLine& line, long long number, HeadlessWindow& window, std::string& text) {
                        return answerLine(line, number, withValues, window, text);
                    });
}

RunResult runBatch(int inputFd, Output& out, const LineAnswerer& answer) {
    LineReader reader(inputFd, [&out] { out.flush(); });
    HeadlessWindow window;
    InputLine line;
    int status = kExitOk;
    for (long long number = 1; !out.failed() && reader.next(line); ++number) {
        status = std::max(status, exitStatusOf(answer(line, number, window, out.buffer())));
        out.lineDone();
    }
    if (!out.flush()) return {kExitIoError, ioFailure("write to standard output", out.errorNumber())};
    if (reader.errorNumber() != 0) return {kExitIoError, ioFailure("read standard input", reader.errorNumber())};
    return {status, ""};
}

}  // namespace tropolink::cli
