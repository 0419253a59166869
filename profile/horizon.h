#pragma once

#include <cstddef>
#include <optional>
#include <span>

#include "engine/constants.h"
#include "profile/profile_csv.h"

namespace tropolink::profile {

// Horizons are found over the pass's own effective earth
// (tropolink::kEffectiveEarthRadiusKm), so that both see the same horizon.

// The obstruction slider reaches no farther.
inline constexpr double kMaxHorizonDistanceKm = 100;

enum class Station { One, Two };

struct Horizon {
    std::size_t index = 0;  // into the profile
    double distanceKm = 0;  // from the station
    double heightM = 0;     // ground, above sea level
    double angleMrad = 0;   // elevation seen from the antenna
};

// Elevation of a point `distanceKm` away at `heightKm` seen from an antenna at
// `antennaKm` (heights above sea level), over the effective earth: the slope
// less the earth's drop.
double elevationMrad(double antennaKm, double heightKm, double distanceKm);

// Of the points strictly between the ends and within 100 km of the station,
// the one of the largest elevation seen from an antenna `antennaHeightM`
// above sea level; ties go to the point nearer the station. None when no
// point is that near.
std::optional<Horizon> findHorizon(std::span<const ProfilePoint> points, Station station, double antennaHeightM);

}  // namespace tropolink::profile
