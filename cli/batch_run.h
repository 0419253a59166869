#pragma once

#include <functional>
#include <string>

#include "batch/line_pipeline.h"
#include "batch/line_reader.h"
#include "cli/run_result.h"
#include "io/output.h"
#include "link/pass_window.h"

namespace tropolink::cli {

// Reads the settings of one batch line. Nothing for a blank or comment line;
// BadInput, with its error object appended to `out`, for a refused line;
// Answered when `settings` holds what the line asks for.
LineOutcome readLineSettings(const InputLine& line, long long lineNumber, Settings& settings, std::string& out);

// Answers one batch line: one JSON line appended to `out` (the boxes, or
// {"line":N,"error":"..."}), nothing for a blank or comment line.
LineOutcome answerLine(const InputLine& line, long long lineNumber, bool withValues, HeadlessWindow& window,
                       std::string& out);

// The answer to settings that passed validation: the boxes, or the error of a failed pass.
LineOutcome answerSettings(const Settings& settings, long long lineNumber, bool withValues, HeadlessWindow& window,
                           std::string& out);

// Answers one line into `out`; the window is scratch space for its passes.
using LineAnswerer =
    std::function<LineOutcome(const InputLine& line, long long lineNumber, HeadlessWindow& window, std::string& out)>;

// The exit status of a line's outcome: 2 when refused, 3 when its pass failed.
int exitStatusOf(LineOutcome outcome);

// Exit status 1 naming the stream when reading or writing failed, else the
// status of the worst line.
RunResult runResultOf(const LinesAnswered& answered);

// Answers every line of `inputFd` in order, with `jobs` workers, each with a
// window of its own: exit status 2 when a line was refused, 3 when a pass
// failed, 1 when reading or writing failed. The output is the same whatever
// `jobs`.
RunResult runBatch(int inputFd, Output& out, bool withValues, int jobs = 1);
RunResult runBatch(int inputFd, Output& out, const LineAnswerer& answer, int jobs = 1);

}  // namespace tropolink::cli
