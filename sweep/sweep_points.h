#pragma once

#include <functional>
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
    // With a required S/N: P.617 at stations 1 and 2, then P.2001 at both.
    std::vector<itur::StationAvailability> availability;
};

// Takes each point in grid order, on one thread; false stops the sweep.
using SweepSink = std::function<bool(const SweepPoint&)>;

// One complete pass per grid point on `jobs` workers, the points handed to
// `sink` in order as the workers finish them: only a few chunks of points are
// held at a time, whatever the grid. The points are the same whatever `jobs`.
// Throws the NumericFault of the first point that failed, after `sink` took
// every point before it. False when `sink` stopped the sweep.
bool runSweepPasses(const SweepPlan& plan, const SweepSink& sink, int jobs = onlineProcessors());

// All points at once, for a small grid.
std::vector<SweepPoint> runSweepPasses(const SweepPlan& plan, int jobs = onlineProcessors());

}  // namespace tropolink
