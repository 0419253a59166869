#include "terrain/geodesic_path.h"

#include <GeographicLib/Geodesic.hpp>
#include <GeographicLib/GeodesicLine.hpp>

#include "terrain/terrain_error.h"

namespace tropolink::terrain {
namespace {
constexpr double kMetresPerKm = 1000;
}

GeodesicPath::GeodesicPath(Site from, Site to) : from_(from), to_(to) {
    const auto& earth = GeographicLib::Geodesic::WGS84();
    auto line = std::make_shared<GeographicLib::GeodesicLine>(
        earth.InverseLine(from.latDeg, from.lonDeg, to.latDeg, to.lonDeg));
    const double lengthM = line->Distance();
    if (!(lengthM > 0)) throw TerrainError("the two sites are the same place");
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
