#pragma once

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

}  // namespace tropolink
