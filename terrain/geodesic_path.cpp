#include "terrain/geodesic_path.h"

#include <GeographicLib/Geodesic.hpp>
#include <GeographicLib/GeodesicLine.hpp>

#include <algorithm>
#include <cmath>
#include <string>

#include "terrain/terrain_error.h"

namespace tropolink::terrain {
namespace {

constexpr double kMetresPerKm = 1000;
// Positions and the length only: the line then skips the series for areas
// and scales, which positions do not use.
constexpr unsigned kLineCaps = GeographicLib::Geodesic::LATITUDE | GeographicLib::Geodesic::LONGITUDE |
                               GeographicLib::Geodesic::DISTANCE | GeographicLib::Geodesic::DISTANCE_IN;
// Far beyond the rounding of a computed position, far below a post spacing.
constexpr double kBoundsMarginDeg = 1e-6;
// Nearer the poles a path's longitudes may swing through half a turn.
constexpr double kBoundedLatDeg = 85;

double wrapped(double lonDeg) { return std::remainder(lonDeg, 360.0); }

// Sites built in code, not read by parseSite, are checked here, since the
// geodesic turns bad coordinates into NaN.
void checkSite(Site site, const char* which) {
    if (!(std::fabs(site.latDeg) <= kMaxLatitudeDeg && std::fabs(site.lonDeg) <= kMaxLongitudeDeg))
        throw TerrainError(std::string(which) + " is not a position (allowed: latitude -90 to 90, longitude -180 to 180)");
}
}  // namespace

GeodesicEnds geodesicEnds(Site from, Site to) {
    GeodesicEnds ends;
    GeographicLib::Geodesic::WGS84().Inverse(from.latDeg, from.lonDeg, to.latDeg, to.lonDeg, ends.lengthM,
                                             ends.azimuth1Deg, ends.azimuth2Deg);
    return ends;
}

GeodesicPath::GeodesicPath(Site from, Site to) : GeodesicPath(from, to, geodesicEnds(from, to)) {}

GeodesicPath::GeodesicPath(Site from, Site to, const GeodesicEnds& ends) : from_(from), to_(to) {
    checkSite(from, "site 1");
    checkSite(to, "site 2");
    auto line = std::make_shared<GeographicLib::GeodesicLine>(
        GeographicLib::Geodesic::WGS84().InverseLine(from.latDeg, from.lonDeg, to.latDeg, to.lonDeg, kLineCaps));
    const double lengthM = line->Distance();
    if (!(lengthM > 0)) throw TerrainError("the two sites are the same place (allowed: sites 1 to 2000 km apart)");
    // The azimuths as the inverse problem gives them; the line's may differ in the last bits.
    azimuth1Deg_ = ends.azimuth1Deg;
    azimuth2Deg_ = ends.azimuth2Deg;
    lengthKm_ = lengthM / kMetresPerKm;
    line_ = std::move(line);
}

// Along a geodesic the longitude moves one way, with the sign of the
// azimuth's sine, and the latitude turns only at a vertex, where the azimuth
// crosses east or west; the path holds a vertex when it heads north at one
// end and south at the other.
std::optional<LatLonBox> GeodesicPath::bounds() const {
    const double pi = std::acos(-1.0), degree = pi / 180;
    LatLonBox box{std::min(from_.latDeg, to_.latDeg), std::max(from_.latDeg, to_.latDeg), 0, 0};
    const double north1 = std::cos(azimuth1Deg_ * degree), north2 = std::cos(azimuth2Deg_ * degree);
    if ((north1 > 0) != (north2 > 0) || north1 == 0 || north2 == 0) {
        // At the vertex the reduced latitude's cosine is the sine of the azimuth at the equator.
        const double reduced = std::acos(std::min(1.0, std::fabs(std::sin(line_->EquatorialAzimuth() * degree))));
        const double vertex = std::atan(std::tan(reduced) / (1 - line_->Flattening())) / degree;
        if (north1 >= 0 || north2 <= 0) box.northDeg = std::max(box.northDeg, vertex);
        if (north1 <= 0 || north2 >= 0) box.southDeg = std::min(box.southDeg, -vertex);
    }
    box.southDeg -= kBoundsMarginDeg;
    box.northDeg += kBoundsMarginDeg;
    if (box.southDeg < -kBoundedLatDeg || box.northDeg > kBoundedLatDeg) return std::nullopt;
    const double turn = wrapped(to_.lonDeg - from_.lonDeg);
    const double heading = std::sin(azimuth1Deg_ * degree);
    if (turn != 0 && (turn > 0) != (heading > 0)) return std::nullopt;
    box.westDeg = wrapped(from_.lonDeg + std::min(turn, 0.0)) - kBoundsMarginDeg;
    box.eastDeg = box.westDeg + std::fabs(turn) + 2 * kBoundsMarginDeg;
    return box;
}

Site GeodesicPath::at(double distanceKm) const {
    Site site;
    line_->Position(distanceKm * kMetresPerKm, site.latDeg, site.lonDeg);
    return site;
}

}  // namespace tropolink::terrain
