#pragma once

#include <optional>

namespace tropolink::itur {

// Height above sea level of the lower edge of the common volume, where the
// two horizon rays cross, km. Angles in mrad, antenna heights in m above sea
// level; θ = 1000·d/ae + θt + θr must be positive.
double commonVolumeHeightKm(double dKm, double thetaTMrad, double thetaRMrad, double htsM, double hrsM, double aeKm);

// Basic transmission loss not exceeded for p % of an average year by the
// method for trans-horizon radio-relay systems, floored at free space, dB.
// f in MHz, d in km, θt and θr in mrad, hts and hrs in m above sea level,
// gains in dBi, N0 the sea-level surface refractivity, ΔN in N-units/km, hs
// the height of the ground under the common volume in km, 0 < p < 100, ae in
// km. With `revisedAngleTerm` the angle term is 17.5·log(θ² + 4) instead of
// 35·log θ. None on a line-of-sight path (θ ≤ 0).
std::optional<double> p617Loss(double fMhz, double dKm, double thetaTMrad, double thetaRMrad, double htsM, double hrsM,
                               double gtDbi, double grDbi, double n0, double deltaN, double hsKm, double p, double aeKm,
                               bool revisedAngleTerm = false);

}  // namespace tropolink::itur
