#pragma once

#include <array>
#include <string_view>

#include "itur/method_domain.h"

// Recommendation ITU-R P.2001-4, Attachment E (troposcatter), the climate-zone
// method of the earlier editions of P.617.
namespace tropolink::itur {

// The climate zones of the climate-zone troposcatter method.
enum class ClimateZone : int {
    Equatorial = 1,
    ContinentalSubTropical = 2,
    MaritimeSubTropical = 3,
    Desert = 4,
    ContinentalTemperate = 5,
    MaritimeTemperateOverLand = 6,
    MaritimeTemperateOverSea = 7,  // zone 0 of the ITU map
};

inline constexpr int kClimateZoneCount = 7;

// "maritime temperate, over land" and so on.
std::string_view climateZoneName(ClimateZone zone);

// One path as the method reads it; θe = d/ae is derived.
struct P2001Path {
    double fMhz = 0;
    double dKm = 0;
    double aeKm = 0;        // effective earth radius
    double thetaTMrad = 0;  // horizon elevation angle at the transmitter, negative below the horizontal
    double thetaRMrad = 0;  // and at the receiver
    ClimateZone zone = ClimateZone::MaritimeTemperateOverLand;
    double gtDbi = 0;
    double grDbi = 0;
};

// The terms that do not depend on p: L(p) = max(median − C(p′)·Y90, free
// space), p′ the nudged percentage. Figures only with a Valid verdict.
struct P2001Terms {
    MethodLoss domain;
    double medianDb = 0;  // L before the time term and the free-space floor
    double y90Db = 0;     // negative in every zone
    double freeSpaceDb = 0;
};

// Out of range beyond θ = 200 mrad and where the scatter height
// htrop = θ²·ae/8 leaves the 20 km troposphere (about 137 mrad on the
// default earth): the method's own height, which needs no antenna heights.
P2001Terms p2001Terms(const P2001Path& path);

// The loss of valid terms at 0 < p < 100, dB.
double p2001LossAt(const P2001Terms& terms, double p);

// Basic transmission loss not exceeded for p % of an average year, floored
// at free space, dB; a verdict without a figure outside the method's domain.
// Throws std::domain_error unless 0 < p < 100.
MethodLoss p2001Loss(const P2001Path& path, double p);

// The largest p of (0, 100) at which the loss of valid terms is at most
// maxLossDb, which must be at least the free-space floor: 0 when none, 100
// when every p.
double p2001PercentAtLoss(const P2001Terms& terms, double maxLossDb);

}  // namespace tropolink::itur
