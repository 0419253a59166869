#include "p2001/profile_zones.h"

#include <cstddef>
#include <limits>

#include "p2001/path_input.h"

namespace tropolink::p2001 {

std::vector<int> profileZones(std::span<const double> distanceKm, std::span<const double> heightM) {
    const std::size_t n = distanceKm.size();
    constexpr double kNoSea = std::numeric_limits<double>::infinity();
    // The distance to the nearest sea point, looking back along the path, then ahead.
    std::vector<double> toSeaKm(n, kNoSea);
    double lastSeaKm = -kNoSea;
    for (std::size_t i = 0; i < n; ++i) {
        if (heightM[i] <= 0) lastSeaKm = distanceKm[i];
        toSeaKm[i] = distanceKm[i] - lastSeaKm;
    }
    double nextSeaKm = kNoSea;
    for (std::size_t i = n; i-- > 0;) {
        if (heightM[i] <= 0) nextSeaKm = distanceKm[i];
        if (nextSeaKm - distanceKm[i] < toSeaKm[i]) toSeaKm[i] = nextSeaKm - distanceKm[i];
    }
    std::vector<int> zones(n);
    for (std::size_t i = 0; i < n; ++i) {
        Zone zone = Zone::Inland;
        if (heightM[i] <= 0)
            zone = Zone::Sea;
        else if (heightM[i] <= kCoastalLandMaxHeightM && toSeaKm[i] <= kCoastalLandMaxSeaDistanceKm)
            zone = Zone::CoastalLand;
        zones[i] = static_cast<int>(zone);
    }
    return zones;
}

}  // namespace tropolink::p2001
