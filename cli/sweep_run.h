#pragma once

#include <optional>
#include <string>

#include "cli/run_result.h"
#include "io/output.h"
#include "sweep/sweep_plan.h"
#include "sweep/sweep_points.h"

namespace tropolink::cli {

// The arguments of `tropolink-cli sweep`.
struct SweepRequest {
    SweepArguments sweep;
    std::optional<std::string> csvPath;  // "-": standard output
    std::optional<std::string> svgPath;
    std::optional<std::string> jobs;  // --jobs N
};

// Validates the request, runs every pass, then writes the CSV and SVG files
// asked for, or the CSV to `out` when neither is. Nothing is written unless
// every pass succeeded, and no file unless all could be.
RunResult runSweep(const SweepRequest& request, Output& out);

}  // namespace tropolink::cli
