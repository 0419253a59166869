#pragma once

#include <optional>
#include <span>

#include "profile/profile_settings.h"

namespace tropolink::profile {

// The radius of the first Fresnel zone, m, `d1Km` and `d2Km` from the ends of
// a path at `frequencyMhz`: sqrt(λ d1 d2 / d). Zero at either end.
double fresnelRadiusM(double frequencyMhz, double d1Km, double d2Km);

// The height of the straight line between the antennas at `distanceKm` from
// station 1, in the picture's coordinates: above the chord through both
// stations' sea level, so that the ground there stands at
// heightM + earthBulgeM.
double directLineM(const ProfileSettings& p, double distanceKm);

// The point between the ends that comes nearest the first Fresnel zone's
// axis, in zone radii: how far the direct line passes above the ground there
// (negative where the ground reaches above the line).
struct FresnelClearance {
    std::size_t point = 0;  // index into the profile
    double distanceKm = 0;
    double clearanceM = 0;  // direct line minus ground with its bulge
    double radii = 0;       // clearanceM over the zone's radius there
};
// None for a profile with no point between its ends.
std::optional<FresnelClearance> worstFresnelClearance(std::span<const ProfilePoint> points, const ProfileSettings& p,
                                                      double frequencyMhz);

}  // namespace tropolink::profile
