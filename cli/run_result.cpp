#include "cli/run_result.h"

#include <cstring>

namespace tropolink::cli {

std::string diagnostic(std::string_view message) { return "tropolink-cli: " + std::string(message); }

std::string ioFailure(std::string_view what, int errorNumber) {
    return diagnostic("cannot " + std::string(what) + ": " + std::strerror(errorNumber));
}

RunResult failedWrite(const WriteFailure& failure) { return {kExitIoError, diagnostic(failure.message())}; }

}  // namespace tropolink::cli
