#include "engine/rider_method.h"

#include <cmath>

#include "engine/constants.h"

namespace tropolink {
namespace {

constexpr double kSmallestAngleDeg = 0.1;
constexpr double kReferenceRefractivity = 330;

}  // namespace

RiderVerdict riderVerdict(double scatteringAngle) {
    if (!(scatteringAngle >= 0)) return RiderVerdict::LineOfSight;
    if (!(scatteringAngle > kSmallestAngleDeg)) return RiderVerdict::OutOfRange;
    return RiderVerdict::Valid;
}

double riderLoss(double frequency, double distance, double scatteringAngle, double surfaceRefractivity,
                 double yehCouplingLoss) {
    // 49 + 30·log10 f + 30·log10 d + 50·log10 θ, with the factors cut to these digits.
    const double base = ((kDbPerNeper30 * std::log(frequency) + 49.0) + kDbPerNeper30 * std::log(distance)) +
                        kDbPerNeper50 * std::log(scatteringAngle);
    const double refractivityTerm = 0.43 * (surfaceRefractivity - kReferenceRefractivity);
    return (base - refractivityTerm) + yehCouplingLoss;
}

RiderResult computeRiderMethod(double frequency, double distance, double surfaceRefractivity,
                               double scatteringAngle, double yehCouplingLoss) {
    RiderResult r;
    r.verdict = riderVerdict(scatteringAngle);
    if (r.verdict == RiderVerdict::Valid)
        r.loss = riderLoss(frequency, distance, scatteringAngle, surfaceRefractivity, yehCouplingLoss);
    return r;
}

}  // namespace tropolink
