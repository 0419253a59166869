#include "terrain/geodesic_path.h"

#include <GeographicLib/Geodesic.hpp>
#include <GeographicLib/GeodesicLine.hpp>

#include <cmath>
#include <string>

#include "terrain/terrain_error.h"

namespace tropolink::terrain {
namespace {
constexpr double kMetresPerKm = 1000;
}

namespace {
// Sites built in code, not read by parseSite, are checked here, since the
// geodesic turns bad coordinates into NaN.
void checkSite(Site site, const char* which) {
    if (!(std::fabs(site.latDeg) <= kMaxLatitudeDeg && std::fabs(site.lonDeg) <= kMaxLongitudeDeg))
        throw TerrainError(std::string(which) + " is not a position (allowed: latitude -90 to 90, longitude -180 to 180)");
}
}  // namespace

GeodesicPath::GeodesicPath(Site from, Site to) : from_(from), to_(to) {
    checkSite(from, "site 1");
    checkSite(to, "site 2");
    const auto& earth = GeographicLib::Geodesic::WGS84();
    auto line = std::make_shared<GeographicLib::GeodesicLine>(
        earth.InverseLine(from.latDeg, from.lonDeg, to.latDeg, to.lonDeg));
    const double lengthM = line->Distance();
    if (!(lengthM > 0)) throw TerrainError("the two sites are the same place (allowed: sites 1 to 2000 km apart)");
    double lengthCheckM = 0;
    earth.Inverse(from.latDeg, from.lonDeg, to.latDeg, to.lonDeg, lengthCheckM, azimuth1Deg_, azimuth2Deg_);
    lengthKm_ = lengthM / kMetresPerKm;
    line_ = std::move(line);
}

Site GeodesicPath::at(double distanceKm) const {
    Site site;
    line_->Position(distanceKm * kMetresPerKm, site.latDeg, site.lonDeg);
    return site;
}

}  // namespace tropolink::terrain
