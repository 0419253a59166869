#include "itur/p617_method.h"

#include <algorithm>
#include <cmath>

#include "itur/shared_terms.h"

namespace tropolink::itur {
namespace {

constexpr double kScaleHeightKm = 7.35;               // hb, of the refractivity above the ground
constexpr double kRefractivityDbPerNUnit = 0.18;      // F: 0.18·N0·exp(−hs/hb)
constexpr double kLapseRateDbPerNUnitKm = 0.23;       // F: − 0.23·ΔN
constexpr double kFrequencyDbPerDecade = 22;          // 22·log f (MHz)
constexpr double kAngleDbPerDecade = 35;              // 35·log θ (mrad)
constexpr double kRevisedAngleDbPerDecade = 17.5;     // 17.5·log(θ² + 4)
constexpr double kRevisedAngleOffsetMrad2 = 4;
constexpr double kDistanceDbPerDecade = 17;           // 17·log d (km)
constexpr double kTimeScaleDbPerNUnit = 0.035;        // k = 0.035·N0·exp(−h0/hb)
constexpr double kTimeExponent = 0.67;
constexpr double kMedianPercent = 50;

// Y(p): positive below the median (less loss), negative above it.
double timeTermDb(double p, double k) {
    if (p < kMedianPercent) return k * std::pow(-std::log10(p / kMedianPercent), kTimeExponent);
    if (p > kMedianPercent) return -k * std::pow(-std::log10((100 - p) / kMedianPercent), kTimeExponent);
    return 0;
}

}  // namespace

double scatterAngleMrad(const P617Path& g) { return 1000 * g.dKm / g.aeKm + g.thetaTMrad + g.thetaRMrad; }

double commonVolumeHeightKm(const P617Path& g) {
    const double theta = scatterAngleMrad(g);
    // Angle at station 2 in the triangle of the two stations and the ray crossing, rad.
    const double beta = g.dKm / (2 * g.aeKm) + g.thetaRMrad / 1000 + (g.hrsM - g.htsM) / (1000 * g.dKm);
    const double r = g.dKm * std::sin(beta) / std::sin(theta / 1000);  // along the station-1 ray, km
    return g.htsM / 1000 + r * std::sin(g.thetaTMrad / 1000) + r * r / (2 * g.aeKm);
}

P617Terms p617Terms(const P617Path& g) {
    P617Terms t;
    const double theta = scatterAngleMrad(g);
    t.domain = angleDomain(theta);
    if (t.domain.verdict != MethodVerdict::Valid) return t;
    const double h0 = commonVolumeHeightKm(g);
    t.domain = heightDomain(h0);
    if (t.domain.verdict != MethodVerdict::Valid) return t;
    const double meteorological = kRefractivityDbPerNUnit * g.n0 * std::exp(-g.hsKm / kScaleHeightKm) -
                                  kLapseRateDbPerNUnitKm * g.deltaN;
    const double angleTerm =
        g.revisedAngleTerm ? kRevisedAngleDbPerDecade * std::log10(theta * theta + kRevisedAngleOffsetMrad2)
                           : kAngleDbPerDecade * std::log10(theta);
    t.medianDb = meteorological + kFrequencyDbPerDecade * std::log10(g.fMhz) + angleTerm +
                 kDistanceDbPerDecade * std::log10(g.dKm) + couplingLossDb(g.gtDbi, g.grDbi);
    t.timeScaleDb = kTimeScaleDbPerNUnit * g.n0 * std::exp(-h0 / kScaleHeightKm);
    t.freeSpaceDb = freeSpaceLossDb(g.fMhz / 1000, g.dKm);
    // Y(p) is finite wherever k is, so the median, k and the floor decide for every p.
    t.domain = finiteLoss(t.medianDb + t.timeScaleDb + t.freeSpaceDb);
    return t;
}

double p617LossAt(const P617Terms& t, double p) {
    // Close to θ = 0 the angle term would take the loss below free space.
    return std::max(t.medianDb - timeTermDb(p, t.timeScaleDb), t.freeSpaceDb);
}

MethodLoss p617Loss(const P617Path& path, double p) {
    requirePercent(p);
    const P617Terms t = p617Terms(path);
    if (t.domain.verdict != MethodVerdict::Valid) return t.domain;
    return {MethodVerdict::Valid, OutOfRangeReason::None, p617LossAt(t, p)};
}

double p617PercentAtLoss(const P617Terms& t, double maxLossDb) {
    // median − Y(p) ≤ maxLoss ⇔ Y(p) ≥ y, and Y falls as p rises.
    const double y = t.medianDb - maxLossDb;
    if (t.timeScaleDb <= 0) return y <= 0 ? 100 : 0;
    const double decades = std::pow(std::abs(y) / t.timeScaleDb, 1 / kTimeExponent);
    if (y > 0) return kMedianPercent * std::pow(10.0, -decades);  // −log(p/50) ≥ decades
    return 100 - kMedianPercent * std::pow(10.0, -decades);      // −log((100 − p)/50) ≤ decades
}

}  // namespace tropolink::itur
