#include "profile/itu_horizon.h"

namespace tropolink::profile {

Horizon ituHorizon(std::span<const ProfilePoint> points, Station station, double antennaHeightM,
                   double effectiveEarthRadiusKm) {
    const double pathKm = points.back().distanceKm;
    Horizon best;
    bool found = false;
    for (std::size_t k = 1; k + 1 < points.size(); ++k) {
        const std::size_t i = station == Station::One ? k : points.size() - 1 - k;
        const double d = station == Station::One ? points[i].distanceKm : pathKm - points[i].distanceKm;
        const double angle = (points[i].heightM - antennaHeightM) / d - 500 * d / effectiveEarthRadiusKm;
        if (!found || angle > best.angleMrad) best = Horizon{i, d, points[i].heightM, angle};
        found = true;
    }
    return best;
}

}  // namespace tropolink::profile
