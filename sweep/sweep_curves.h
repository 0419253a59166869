#pragma once

#include <span>
#include <string>
#include <vector>

#include "plot/plot_panel.h"
#include "sweep/sweep_points.h"

namespace tropolink {

// What the picture of a sweep draws: a value wherever the window shows a number.
struct SweepCurves {
    SweepCurves() = default;
    // The series point at the styles below, which must stay where they are.
    SweepCurves(const SweepCurves&) = delete;
    SweepCurves& operator=(const SweepCurves&) = delete;
    SweepCurves(SweepCurves&&) = default;
    SweepCurves& operator=(SweepCurves&&) = default;

    std::vector<double> xs;  // the swept value at each grid point, in NAME's unit
    std::vector<plot::IndexRun> lineOfSight;
    // Yeh, ITT, CCIR, Collins, Rider, free space, perfect duct, then per
    // percentage the two ITU-R methods.
    std::vector<plot::Series> loss;
    std::vector<plot::Series> atStation1;  // signal-to-noise, the five methods, then the ITU-R ones
    std::vector<plot::Series> atStation2;
    bool beyondSaneRange = false;        // some method's points were put out of range by sweepColumns
    // With a required S/N: P.617 at stations 1 and 2, then P.2001 at both.
    std::vector<plot::Series> availability;
    std::vector<std::string> ituLabels;  // "P.617 99.9 %"
    std::vector<plot::SeriesStyle> ituStyles;
};

// No point yet: the series and their styles for the plan.
SweepCurves startCurves(const SweepPlan& plan);
// The next grid point's drawn values; nothing else of it is kept.
void addPoint(SweepCurves& curves, const SweepPlan& plan, const SweepPoint& point);

SweepCurves sweepCurves(const SweepPlan& plan, std::span<const SweepPoint> points);

}  // namespace tropolink
