#pragma once

#include <memory>
#include <optional>

#include "terrain/site.h"

namespace GeographicLib {
class GeodesicLine;
}

namespace tropolink::terrain {

// Latitudes and longitudes from west eastward to east; east may pass 180
// for a box across the antimeridian.
struct LatLonBox {
    double southDeg = 0, northDeg = 0;
    double westDeg = 0, eastDeg = 0;
};

// What the inverse problem gives for two sites: the length and the
// forward azimuths at both ends, clockwise from north.
struct GeodesicEnds {
    double lengthM = 0;
    double azimuth1Deg = 0;
    double azimuth2Deg = 0;
};
GeodesicEnds geodesicEnds(Site from, Site to);

// The shortest path on the WGS84 ellipsoid from one site to the other.
class GeodesicPath {
public:
    // Throws TerrainError for identical sites, which have no direction.
    GeodesicPath(Site from, Site to);
    // The same with `ends` as geodesicEnds(from, to) gave them, not solved again.
    GeodesicPath(Site from, Site to, const GeodesicEnds& ends);

    Site from() const { return from_; }
    Site to() const { return to_; }
    double lengthKm() const { return lengthKm_; }
    double azimuth1Deg() const { return azimuth1Deg_; }  // forward azimuth at `from`, clockwise from north
    double azimuth2Deg() const { return azimuth2Deg_; }  // forward azimuth at `to`

    // The point `distanceKm` along the path from `from` (longitude in -180..180);
    // beyond the ends the geodesic continues.
    Site at(double distanceKm) const;
    // A box every point of the path lies in, with a margin far beyond
    // rounding; none for a path that comes near a pole.
    std::optional<LatLonBox> bounds() const;

private:
    Site from_;
    Site to_;
    double lengthKm_ = 0;
    double azimuth1Deg_ = 0;
    double azimuth2Deg_ = 0;
    std::shared_ptr<const GeographicLib::GeodesicLine> line_;
};

}  // namespace tropolink::terrain
