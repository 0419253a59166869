#pragma once

namespace tropolink {

// Elevation, in radians, of the ray from an antenna that grazes an obstruction
// top: the slope up (or down) to the top, less the earth's drop over its
// distance. Heights above sea level and distances in km. Every caller scales
// this one expression, so that all of them see the same horizon to the bit.
constexpr double obstructionAngleRad(double antennaKm, double obstructionKm, double distanceKm, double earthRadiusKm) {
    return (obstructionKm - antennaKm) / distanceKm - distanceKm / (2 * earthRadiusKm);
}

}  // namespace tropolink
