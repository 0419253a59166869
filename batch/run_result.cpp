#include "batch/run_result.h"

#include <cstring>

namespace tropolink {

std::string diagnostic(std::string_view message) { return "tropolink-cli: " + std::string(message); }

std::string ioFailure(std::string_view what, int errorNumber) {
    return diagnostic("cannot " + std::string(what) + ": " + std::strerror(errorNumber));
}

}  // namespace tropolink
