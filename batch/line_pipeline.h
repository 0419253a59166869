#pragma once

#include <functional>
#include <string>

#include "batch/line_reader.h"
#include "io/output.h"

namespace tropolink {

// What one line came to, from the least to the worst.
enum class LineOutcome { Nothing, Answered, BadInput, NumericFault };

// The work of one input line: appends its answer (possibly nothing) to `out`.
using LineWork = std::function<LineOutcome(const InputLine& line, long long lineNumber, std::string& out)>;
// Makes the work of one worker, with whatever state of its own it keeps.
using MakeLineWork = std::function<LineWork()>;

// What answering the lines came to: the worst outcome of a line, and the
// errno of a failed write of the output or read of the input, which ends it.
struct LinesAnswered {
    LineOutcome worst = LineOutcome::Nothing;
    int writeError = 0;
    int readError = 0;
};

// Answers every line of `inputFd` with `jobs` workers, the answers written in
// input order whatever `jobs`. With one job the lines are answered on the
// calling thread; with more, in chunks of consecutive lines, a chunk handed
// over early whenever the input would make the reader wait, so a program that
// writes a line and waits gets its answer at once.
LinesAnswered answerLines(int inputFd, Output& out, int jobs, const MakeLineWork& makeWork);

}  // namespace tropolink
