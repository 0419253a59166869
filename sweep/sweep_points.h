#pragma once

#include <vector>

#include "batch/ordered_workers.h"
#include "engine/recalculate.h"
#include "itur/availability.h"
#include "sweep/sweep_plan.h"

namespace tropolink {

// The figures of one grid point's pass.
struct SweepPoint {
    int position = 0;  // of the swept slider
    PassValues values;
    // The two ITU-R methods at each of the plan's percentages, in its order.
    std::vector<itur::PercentFigures> p617;
    std::vector<itur::PercentFigures> p2001;
};

// One complete pass per grid point, in order, on `jobs` workers; the points
// are the same whatever `jobs`. Throws the NumericFault of the first point
// that failed.
std::vector<SweepPoint> runSweepPasses(const SweepPlan& plan, int jobs = onlineProcessors());

}  // namespace tropolink
