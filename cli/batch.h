#pragma once

#include <string>

#include "cli/line_pipeline.h"
#include "cli/line_reader.h"
#include "cli/output.h"
#include "cli/pass_window.h"
#include "cli/run_result.h"

namespace tropolink::cli {

// Answers one batch line: one JSON line appended to `out` (the boxes, or
// {"line":N,"error":"..."}), nothing for a blank or comment line.
LineOutcome answerLine(const InputLine& line, long long lineNumber, bool withValues, HeadlessWindow& window,
                       std::string& out);

// The answer to settings that passed validation: the boxes, or the error of a failed pass.
LineOutcome answerSettings(const Settings& settings, long long lineNumber, bool withValues, HeadlessWindow& window,
                           std::string& out);

// Answers every line of `inputFd` in order, with `jobs` workers: exit status 2
// when a line was refused, 3 when a pass failed, 1 when reading or writing
// failed. The output is the same whatever `jobs`.
RunResult runBatch(int inputFd, Output& out, bool withValues, int jobs = 1);

}  // namespace tropolink::cli
