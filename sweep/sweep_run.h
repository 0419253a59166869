#pragma once

#include "cli/output.h"
#include "cli/run_result.h"
#include "sweep/sweep_points.h"

namespace tropolink::cli {

// Validates the request, runs every pass, then writes the CSV and SVG files
// asked for, or the CSV to `out` when neither is. Nothing is written unless
// every pass succeeded.
RunResult runSweep(const SweepRequest& request, Output& out);

}  // namespace tropolink::cli
