#pragma once

#include <string>
#include <string_view>

#include "io/file_output.h"

namespace tropolink::cli {

// Exit statuses of tropolink-cli: only the command line turns what the
// libraries report into one.
inline constexpr int kExitOk = 0;
inline constexpr int kExitIoError = 1;       // standard output or input failed
inline constexpr int kExitBadInput = 2;      // a setting or option was refused
inline constexpr int kExitNumericFault = 3;  // a pass could not compute a quantity

struct RunResult {
    int exitStatus = kExitOk;
    std::string diagnostic;  // one line for standard error, empty when all went well
};

// A line for standard error: "tropolink-cli: " and the message.
std::string diagnostic(std::string_view message);

// "tropolink-cli: cannot <what>: <system error text>".
std::string ioFailure(std::string_view what, int errorNumber);

// An output file that could not be written: exit status 1 naming it.
RunResult failedWrite(const WriteFailure& failure);

}  // namespace tropolink::cli
