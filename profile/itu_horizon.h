#pragma once

#include <span>

#include "profile/horizon.h"

namespace tropolink::profile {

// The horizon of the ITU-R methods: of every point strictly between the ends,
// wherever it lies on the path, the one of the largest elevation
// (hᵢ − hₐ) / dᵢ − 500 · dᵢ / ae mrad (heights in m, distances in km) seen from
// an antenna `antennaHeightM` above sea level, on an earth of radius
// `effectiveEarthRadiusKm`; ties go to the point nearer the station. Unlike
// findHorizon it does not stop at the obstruction slider's reach. The
// profile has at least three points.
Horizon ituHorizon(std::span<const ProfilePoint> points, Station station, double antennaHeightM,
                   double effectiveEarthRadiusKm);

}  // namespace tropolink::profile
