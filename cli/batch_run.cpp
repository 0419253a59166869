#include "cli/batch_run.h"

#include <memory>

#include "cli/run_result.h"
#include "grammar/batch_line.h"
#include "grammar/input_error.h"
#include "report/box_writers.h"
#include "report/error_json.h"

namespace tropolink::cli {
namespace {

const std::string kTooLong = "longer than " + std::to_string(kMaxLineBytes) + " bytes";
const std::string kAllowedLength = "lines of at most " + std::to_string(kMaxLineBytes) + " bytes";

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
        appendBoxObject(out, boxTextsOf(window), withValues ? &values : nullptr);
        return LineOutcome::Answered;
    } catch (const NumericFault& e) {
        appendErrorObject(out, lineNumber, numericFaultMessage(e));
        return LineOutcome::NumericFault;
    }
}

RunResult runBatch(int inputFd, Output& out, bool withValues, int jobs) {
    return runBatch(
        inputFd, out,
        [withValues](const InputLine& line, long long number, HeadlessWindow& window, std::string& text) {
            return answerLine(line, number, withValues, window, text);
        },
        jobs);
}

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

RunResult runResultOf(const LinesAnswered& answered) {
    if (answered.writeError != 0) return {kExitIoError, ioFailure("write to standard output", answered.writeError)};
    if (answered.readError != 0) return {kExitIoError, ioFailure("read standard input", answered.readError)};
    return {exitStatusOf(answered.worst), ""};
}

RunResult runBatch(int inputFd, Output& out, const LineAnswerer& answer, int jobs) {
    return runResultOf(answerLines(inputFd, out, jobs, [&answer]() -> LineWork {
        return [&answer, window = std::make_shared<HeadlessWindow>()](const InputLine& line, long long number,
                                                                      std::string& text) {
            return answer(line, number, *window, text);
        };
    }));
}

}  // namespace tropolink::cli
