#pragma once

#include <span>
#include <string>

#include "sweep/sweep_curves.h"
#include "sweep/sweep_points.h"

namespace tropolink {

// A self-contained SVG picture of a sweep: the path loss of the five methods,
// the free-space and the perfect-duct loss against the swept value, with gaps
// where a method gives no loss and the line-of-sight region shaded; below it
// the signal-to-noise at each station for each method.
std::string svgPlot(const SweepPlan& plan, std::span<const SweepPoint> points);
std::string svgPlot(const SweepPlan& plan, const SweepCurves& curves);

}  // namespace tropolink
