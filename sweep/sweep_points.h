#pragma once

#include <vector>

#include "engine/recalculate.h"
#include "itur/availability.h"
#include "sweep/sweep_plan.h"

namespace tropolink::cli {

// The figures of one grid point's pass.
struct SweepPoint {
    int position = 0;  // of the swept slider
    PassValues values;
    // The two ITU-R methods at each of the plan's percentages, in its order.
    std::vector<itur::PercentFigures> p617;
    std::vector<itur::PercentFigures> p2001;
};

// One complete pass per grid point, in order. Throws NumericFault.
std::vector<SweepPoint> runSweepPasses(const SweepPlan& plan);

}  // namespace tropolink::cli
