#include "profile/rays.h"

#include <algorithm>

namespace tropolink::profile {
namespace {

// Slope of a horizon ray in m of page height per km, away from its station.
double raySlope(const StationSettings& s, double pathKm, bool fromStation1) {
    const double x = fromStation1 ? s.horizon.distanceKm : pathKm - s.horizon.distanceKm;
    return (s.horizon.heightM + earthBulgeM(x, pathKm) - s.antennaHeightM) / s.horizon.distanceKm;
}

}  // namespace

double earthBulgeM(double distanceKm, double pathKm) {
    return 1000 * distanceKm * (pathKm - distanceKm) / (2 * kEffectiveEarthRadiusKm);
}

std::optional<RayCrossing> horizonRaysCrossing(const ProfileSettings& p) {
    const double d = p.distanceKm;
    const double s1 = raySlope(p.station1, d, true);
    const double s2 = raySlope(p.station2, d, false);
    if (!(s1 + s2 > 0)) return std::nullopt;
    // station1 + s1·x = station2 + s2·(d − x)
    const double x = (p.station2.antennaHeightM + s2 * d - p.station1.antennaHeightM) / (s1 + s2);
    if (!(x > 0 && x < d)) return std::nullopt;
    return RayCrossing{x, p.station1.antennaHeightM + s1 * x - earthBulgeM(x, d)};
}

double groundHeightAtM(std::span<const ProfilePoint> points, double distanceKm) {
    const auto after = std::upper_bound(points.begin(), points.end(), distanceKm,
                                        [](double km, const ProfilePoint& p) { return km < p.distanceKm; });
    if (after == points.begin()) return points.front().heightM;
    if (after == points.end()) return points.back().heightM;
    const ProfilePoint& a = *(after - 1);
    const ProfilePoint& b = *after;
    return a.heightM + (b.heightM - a.heightM) * (distanceKm - a.distanceKm) / (b.distanceKm - a.distanceKm);
}

std::optional<std::size_t> firstPointAboveDirectLine(std::span<const ProfilePoint> points, const ProfileSettings& p) {
    const double d = p.distanceKm;
    const double a1 = p.station1.antennaHeightM;
    const double a2 = p.station2.antennaHeightM;
    for (std::size_t i = 1; i + 1 < points.size(); ++i) {
        const double x = points[i].distanceKm;
        const double line = a1 + (a2 - a1) * x / d;
        if (points[i].heightM + earthBulgeM(x, d) > line) return i;
    }
    return std::nullopt;
}

}  // namespace tropolink::profile
