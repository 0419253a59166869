#pragma once

#include "itur/method_domain.h"

// Recommendation ITU-R P.617-5 (trans-horizon radio-relay systems), the
// troposcatter loss of its § 4; the revised angle term is that of the
// revision drafted in 2024.
namespace tropolink::itur {

// One path as the method reads it. Named members, so that two of the many
// numbers cannot trade places unnoticed.
struct P617Path {
    double fMhz = 0;
    double dKm = 0;
    double aeKm = 0;        // effective earth radius
    double thetaTMrad = 0;  // horizon elevation angle at the transmitter, negative below the horizontal
    double thetaRMrad = 0;  // and at the receiver
    double htsM = 0;        // antenna altitudes, m above sea level
    double hrsM = 0;
    double gtDbi = 0;
    double grDbi = 0;
    double n0 = 0;      // sea-level surface refractivity, N-units
    double deltaN = 0;  // refractivity lapse rate, N-units/km
    double hsKm = 0;    // ground height under the common volume
    bool revisedAngleTerm = false;  // 17.5·log(θ² + 4) in place of 35·log θ
};

// θ = 1000·d/ae + θt + θr, mrad.
double scatterAngleMrad(const P617Path& path);

// Height above sea level of the lower edge of the common volume, where the
// two horizon rays cross, km; θ must be positive.
double commonVolumeHeightKm(const P617Path& path);

// The terms that do not depend on p: L(p) = max(median − Y(p), free space)
// with Y(p) = ±k·(−log(...))^0.67. Figures only with a Valid verdict.
struct P617Terms {
    MethodLoss domain;
    double medianDb = 0;     // L(50) before the free-space floor
    double timeScaleDb = 0;  // k
    double freeSpaceDb = 0;
};

P617Terms p617Terms(const P617Path& path);

// The loss of valid terms at 0 < p < 100, dB.
double p617LossAt(const P617Terms& terms, double p);

// Basic transmission loss not exceeded for p % of an average year, floored
// at free space, dB; a verdict without a figure outside the method's domain.
// Throws std::domain_error unless 0 < p < 100.
MethodLoss p617Loss(const P617Path& path, double p);

// The largest p of (0, 100) at which the loss of valid terms is at most
// maxLossDb, which must be at least the free-space floor: 0 when none, 100
// when every p.
double p617PercentAtLoss(const P617Terms& terms, double maxLossDb);

}  // namespace tropolink::itur
