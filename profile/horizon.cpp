#include "profile/horizon.h"

#include "engine/obstruction_angle.h"

namespace tropolink::profile {

double elevationMrad(double antennaKm, double heightKm, double distanceKm) {
    return 1000 * obstructionAngleRad(antennaKm, heightKm, distanceKm, kEffectiveEarthRadiusKm);
}

std::optional<Horizon> findHorizon(std::span<const ProfilePoint> points, Station station, double antennaHeightM) {
    if (points.size() < 3) return std::nullopt;
    const double antennaKm = antennaHeightM / 1000;
    const double pathKm = points.back().distanceKm;
    std::optional<Horizon> best;
    // Outwards from the station, so that only a strictly higher angle displaces a nearer point.
    for (std::size_t k = 1; k + 1 < points.size(); ++k) {
        const std::size_t i = station == Station::One ? k : points.size() - 1 - k;
        const double d = station == Station::One ? points[i].distanceKm : pathKm - points[i].distanceKm;
        if (d > kMaxHorizonDistanceKm) break;
        const double angle = elevationMrad(antennaKm, points[i].heightM / 1000, d);
        if (!best || angle > best->angleMrad) best = Horizon{i, d, points[i].heightM, angle};
    }
    return best;
}

}  // namespace tropolink::profile
