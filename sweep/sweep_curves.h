#pragma once

#include <span>
#include <vector>

#include "sweep/plot_panel.h"
#include "sweep/sweep_points.h"

namespace tropolink::cli {

// What the picture of a sweep draws: a value wherever the window shows a number.
struct SweepCurves {
    std::vector<double> xs;  // the swept value at each grid point, in NAME's unit
    std::vector<IndexRun> lineOfSight;
    std::vector<Series> loss;        // Yeh, ITT, CCIR, Collins, Rider, free space, perfect duct
    std::vector<Series> atStation1;  // signal-to-noise, the five methods
    std::vector<Series> atStation2;
};

SweepCurves sweepCurves(const SweepPlan& plan, std::span<const SweepPoint> points);

}  // namespace tropolink::cli
