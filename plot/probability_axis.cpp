#include "plot/probability_axis.h"

#include <array>
#include <cmath>
#include <numbers>
#include <stdexcept>

namespace tropolink {
namespace {

// Acklam's rational approximation, good to about 1e-9; one Halley step on
// erfc then takes it to the double's precision.
constexpr std::array<double, 6> kA{-3.969683028665376e+01, 2.209460984245205e+02, -2.759285104469687e+02,
                                   1.383577518672690e+02,  -3.066479806614716e+01, 2.506628277459239e+00};
constexpr std::array<double, 5> kB{-5.447609879822406e+01, 1.615858368580409e+02, -1.556989798598866e+02,
                                   6.680131188771972e+01,  -1.328068155288572e+01};
constexpr std::array<double, 6> kC{-7.784894002430293e-03, -3.223964580411365e-01, -2.400758277161838e+00,
                                   -2.549732539343734e+00, 4.374664141464968e+00,  2.938163982698783e+00};
constexpr std::array<double, 4> kD{7.784695709041462e-03, 3.224671290700398e-01, 2.445134137142996e+00,
                                   3.754408661907416e+00};
constexpr double kLowTail = 0.02425;

double tail(double q) {
    return (((((kC[0] * q + kC[1]) * q + kC[2]) * q + kC[3]) * q + kC[4]) * q + kC[5]) /
           ((((kD[0] * q + kD[1]) * q + kD[2]) * q + kD[3]) * q + 1);
}

double approximateQuantile(double p) {
    if (p < kLowTail) return tail(std::sqrt(-2 * std::log(p)));
    if (p > 1 - kLowTail) return -tail(std::sqrt(-2 * std::log(1 - p)));
    const double q = p - 0.5;
    const double r = q * q;
    return (((((kA[0] * r + kA[1]) * r + kA[2]) * r + kA[3]) * r + kA[4]) * r + kA[5]) * q /
           (((((kB[0] * r + kB[1]) * r + kB[2]) * r + kB[3]) * r + kB[4]) * r + 1);
}

}  // namespace

double normalQuantile(double probability) {
    if (!(probability > 0 && probability < 1)) throw std::domain_error("normal quantile needs 0 < p < 1");
    const double x = approximateQuantile(probability);
    const double e = 0.5 * std::erfc(-x / std::numbers::sqrt2) - probability;
    const double u = e * std::sqrt(2 * std::numbers::pi) * std::exp(x * x / 2);
    return x - u / (1 + x * u / 2);
}

ProbabilityAxis::ProbabilityAxis(double loPercent, double hiPercent, double pixelFrom, double pixelTo)
    : zLo_(normalQuantile(loPercent / 100)),
      pixelFrom_(pixelFrom),
      pixelsPerZ_((pixelTo - pixelFrom) / (normalQuantile(hiPercent / 100) - zLo_)) {}

double ProbabilityAxis::operator()(double percent) const {
    return pixelFrom_ + (normalQuantile(percent / 100) - zLo_) * pixelsPerZ_;
}

}  // namespace tropolink
