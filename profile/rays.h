#pragma once

#include <cstddef>
#include <optional>
#include <span>

#include "profile/profile_settings.h"

namespace tropolink::profile {

// Heights over a curved earth drawn on a flat page: a point `heightM` above
// sea level at `distanceKm` from station 1 stands `heightM + earthBulgeM`
// above the chord through both stations' sea level. In those coordinates
// the rays of the effective earth are straight lines.
double earthBulgeM(double distanceKm, double pathKm);

// Where the two horizon rays cross: the lowest point of the common volume,
// seen from both stations. None when they do not cross between the stations.
struct RayCrossing {
    double distanceKm = 0;  // from station 1
    double heightM = 0;     // above sea level
};
std::optional<RayCrossing> horizonRaysCrossing(const ProfileSettings& p);

// The ground height at `distanceKm` from station 1, between the two points
// around it on a straight line; `distanceKm` lies within the profile.
double groundHeightAtM(std::span<const ProfilePoint> points, double distanceKm);

// The first point between the ends that reaches above the straight line
// between the antennas; none when the line clears the ground.
std::optional<std::size_t> firstPointAboveDirectLine(std::span<const ProfilePoint> points, const ProfileSettings& p);

}  // namespace tropolink::profile
