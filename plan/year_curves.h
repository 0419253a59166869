#pragma once

#include <vector>

#include "itur/availability.h"

namespace tropolink {

// The span of the year every loss-over-the-year curve covers, and the
// number of points it is drawn with: evenly spaced on a normal-probability
// axis, so that a curve is as smooth at 99.99 % as at 50 %.
inline constexpr double kYearLoPercent = 1;
inline constexpr double kYearHiPercent = 99.99;
inline constexpr int kYearCurvePoints = 241;

// The percentages of the year the curves are drawn at, from kYearLoPercent
// to kYearHiPercent.
const std::vector<double>& yearCurvePercents();

struct LossPoint {
    double percent = 0;
    double lossDb = 0;
};

// One method's L(p) at yearCurvePercents(), where it gives a loss: empty on
// a path outside its domain.
struct YearCurve {
    itur::ItuMethod method = itur::ItuMethod::P617;
    std::vector<LossPoint> points;
};

// Every ITU method's curve, in the order of itur::kItuMethods.
std::vector<YearCurve> yearCurves(const itur::ItuLink& link);

}  // namespace tropolink
