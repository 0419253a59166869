#pragma once

#include <array>

namespace tropolink {

// The standard normal quantile: the z with Φ(z) = probability, 0 < probability < 1.
double normalQuantile(double probability);

// An axis of percentages on which a normal distribution is a straight line:
// the pixel is linear in the quantile of p / 100.
class ProbabilityAxis {
public:
    ProbabilityAxis(double loPercent, double hiPercent, double pixelFrom, double pixelTo);
    double operator()(double percent) const;

private:
    double zLo_;
    double pixelFrom_;
    double pixelsPerZ_;
};

// The labelled percentages of the report's axis, 1 % to 99.99 %.
inline constexpr double kYearLoPercent = 1;
inline constexpr double kYearHiPercent = 99.99;
inline constexpr std::array<double, 15> kYearTickPercents{1, 2, 5, 10, 20, 30, 50, 70, 80, 90, 95, 98, 99, 99.9, 99.99};

}  // namespace tropolink
