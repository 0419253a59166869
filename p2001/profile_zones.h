#pragma once

#include <span>
#include <vector>

// The zone of each point of a profile read from elevation models, as the
// method's profile wants it (path_input.h's Zone): sea, coastal land or
// inland. One rule for every command that runs the method over a DEM path.
namespace tropolink::p2001 {

// Land at most this high above sea level may be coastal...
inline constexpr double kCoastalLandMaxHeightM = 100;
// ...when sea lies at most this far along the path from it.
inline constexpr double kCoastalLandMaxSeaDistanceKm = 50;

// Sea where the ground is at 0 m or below, land below sea level included
// (points no DEM holds come from the terrain at 0 m when the user takes them
// as sea, and a filled void has the height the fill gave it); coastal land up
// to 100 m above sea level within 50 km of a sea point along the path, both
// bounds included; inland everywhere else. A path without sea is all inland.
// `distanceKm` ascends; both spans have the same length.
std::vector<int> profileZones(std::span<const double> distanceKm, std::span<const double> heightM);

}  // namespace tropolink::p2001
