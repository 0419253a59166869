#pragma once

#include "batch/output.h"
#include "batch/run_result.h"
#include <optional>
#include <string>

#include "sweep/sweep_plan.h"
#include "sweep/sweep_points.h"

namespace tropolink::cli {

// The arguments of `tropolink-cli sweep`.
struct SweepRequest {
    SweepArguments sweep;
    std::string csvPath;  // empty: no CSV file
    std::string svgPath;  // empty: no SVG file
    std::optional<std::string> jobs;  // --jobs N
};

// Validates the request, runs every pass, then writes the CSV and SVG files
// asked for, or the CSV to `out` when neither is. Nothing is written unless
// every pass succeeded.
RunResult runSweep(const SweepRequest& request, Output& out);

}  // namespace tropolink::cli
