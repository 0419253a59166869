#pragma once

#include <string>
#include <vector>

#include "cli/run_result.h"
#include "grammar/settings.h"
#include "io/output.h"

namespace tropolink::cli {

enum class OutputFormat { Text, Json, JsonWithValues };

struct SingleRunRequest {
    std::vector<std::string> assignments;  // the --set arguments
    int powerOptionCount = 0;              // how often --power-div-1000 was given
    OutputFormat format = OutputFormat::Text;
};

// One pass from the start positions with the request's settings. A refused
// setting writes nothing to `out` (exit status 2); a failed pass, status 3.
RunResult runSingle(const SingleRunRequest& request, Output& out);

// The pass and its output for settings that passed validation.
RunResult printPass(const Settings& settings, OutputFormat format, Output& out);

}  // namespace tropolink::cli
