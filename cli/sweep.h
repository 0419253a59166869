#pragma once

#include <vector>

#include "cli/output.h"
#include "cli/run_result.h"
#include "cli/sweep_plan.h"
#include "engine/recalculate.h"

namespace tropolink::cli {

// The figures of one grid point's pass.
struct SweepPoint {
    int position = 0;  // of the swept slider
    PassValues values;
};

// One complete pass per grid point, in order. Throws NumericFault.
std::vector<SweepPoint> runSweepPasses(const SweepPlan& plan);

// Validates the request, runs every pass, then writes the CSV and SVG files
// asked for, or the CSV to `out` when neither is. Nothing is written unless
// every pass succeeded.
RunResult runSweep(const SweepRequest& request, Output& out);

}  // namespace tropolink::cli
