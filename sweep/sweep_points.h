#pragma once

#include <vector>

#include "engine/recalculate.h"
#include "sweep/sweep_plan.h"

namespace tropolink::cli {

// The figures of one grid point's pass.
struct SweepPoint {
    int position = 0;  // of the swept slider
    PassValues values;
};

// One complete pass per grid point, in order. Throws NumericFault.
std::vector<SweepPoint> runSweepPasses(const SweepPlan& plan);

}  // namespace tropolink::cli
