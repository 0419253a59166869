#pragma once

#include <optional>
#include <string>
#include <vector>

#include "link/availability_options.h"
#include "cli/batch_run.h"

namespace tropolink::cli {

// The arguments of `tropolink-cli availability`.
struct AvailabilityRequest {
    std::vector<std::string> assignments;  // the --set arguments
    int powerOptionCount = 0;              // how often --power-div-1000 was given
    AvailabilityArguments arguments;
    int jsonCount = 0;
    int batchCount = 0;
    std::optional<std::string> jobs;  // --jobs N, with --batch
};

// The answer to one batch line: one JSON object, or the line's error object.
// Pure in the line: the window is only scratch space for its pass.
LineOutcome answerAvailabilityLine(const InputLine& line, long long lineNumber, const AvailabilityOptions& options,
                                   HeadlessWindow& window, std::string& out);

// One answer from the --set values, or, with --batch, one per line of `inputFd`.
// A refused option writes nothing and gives exit status 2.
RunResult runAvailability(const AvailabilityRequest& request, int inputFd, Output& out);

}  // namespace tropolink::cli
