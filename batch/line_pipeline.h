#pragma once

#include <functional>
#include <string>

#include "batch/line_reader.h"
#include "batch/output.h"
#include "batch/run_result.h"

namespace tropolink {

enum class LineOutcome { Nothing, Answered, BadInput, NumericFault };

// The work of one input line: appends its answer (possibly nothing) to `out`.
using LineWork = std::function<LineOutcome(const InputLine& line, long long lineNumber, std::string& out)>;
// Makes the work of one worker, with whatever state of its own it keeps.
using MakeLineWork = std::function<LineWork()>;

// Worse outcomes decide the exit status: a failed pass over a refused line.
int exitStatusOf(LineOutcome outcome);

// Answers every line of `inputFd` with `jobs` workers, the answers written in
// input order whatever `jobs`: exit status 2 when a line was refused, 3 when a
// pass failed, 1 when reading or writing failed. With one job the lines are
// answered on the calling thread; with more, in chunks of consecutive lines,
// a chunk handed over early whenever the input would make the reader wait, so
// a program that writes a line and waits gets its answer at once.
RunResult answerLines(int inputFd, Output& out, int jobs, const MakeLineWork& makeWork);

}  // namespace tropolink
