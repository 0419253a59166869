#pragma once

#include <array>
#include <optional>
#include <string_view>

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

// Basic transmission loss not exceeded for p % of an average year by the
// climate-zone troposcatter method, floored at free space, dB. f in GHz,
// 0 < p < 100, d in km, θe = d/ae in rad, θt and θr in mrad, ae in km, gains
// in dBi. None on a line-of-sight path (θ ≤ 0).
std::optional<double> p2001Loss(double fGhz, double p, double dKm, double thetaERad, double thetaTMrad,
                                double thetaRMrad, double aeKm, ClimateZone zone, double gtDbi, double grDbi);

}  // namespace tropolink::itur
