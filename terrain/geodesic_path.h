#pragma once

#include <memory>

#include "terrain/site.h"

namespace GeographicLib {
class GeodesicLine;
}

namespace tropolink::terrain {

// The shortest path on the WGS84 ellipsoid from one site to the other.
class GeodesicPath {
public:
    // Throws TerrainError for identical sites, which have no direction.
    GeodesicPath(Site from, Site to);

    Site from() const { return from_; }
    Site to() const { return to_; }
    double lengthKm() const { return lengthKm_; }
    double azimuth1Deg() const { return azimuth1Deg_; }  // forward azimuth at `from`, clockwise from north
    double azimuth2Deg() const { return azimuth2Deg_; }  // forward azimuth at `to`

    // The point `distanceKm` along the path from `from` (longitude in -180..180);
    // beyond the ends the geodesic continues.
    Site at(double distanceKm) const;

private:
    Site from_;
    Site to_;
    double lengthKm_ = 0;
    double azimuth1Deg_ = 0;
    double azimuth2Deg_ = 0;
    std::shared_ptr<const GeographicLib::GeodesicLine> line_;
};

}  // namespace tropolink::terrain
