#include "coverage/coverage_grid.h"

#include <GeographicLib/Geodesic.hpp>

#include <algorithm>
#include <cmath>
#include <string>

#include "grammar/input_error.h"
#include "grammar/number_text.h"

namespace tropolink::coverage {
namespace {

constexpr double kArcSecDeg = 1.0 / 3600;
// The circle's widest reach in longitude is found among these azimuths,
// then refined between the two beside the widest.
constexpr int kCircleAzimuths = 360;
constexpr int kRefinements = 100;

double metresPerArcSecond(double latDeg) {
    double metres = 0;
    const double south = std::max(latDeg - kArcSecDeg / 2, -90.0), north = std::min(latDeg + kArcSecDeg / 2, 90.0);
    GeographicLib::Geodesic::WGS84().Inverse(south, 0, north, 0, metres);
    return metres * kArcSecDeg / (north - south);
}

std::string shownNumber(double value) {
    std::string text;
    appendShortest(text, value);
    return text;
}

double metresToPole(terrain::Site s, double poleLatDeg) {
    double metres = 0;
    GeographicLib::Geodesic::WGS84().Inverse(s.latDeg, s.lonDeg, poleLatDeg, s.lonDeg, metres);
    return metres;
}

// How far east (and, alike, west) of the site the circle of `radiusM` reaches, degrees.
double widestLongitudeDeg(terrain::Site s, double radiusM) {
    const auto reach = [&](double azimuthDeg) {
        double lat = 0, lon = 0;
        GeographicLib::Geodesic::WGS84().Direct(s.latDeg, s.lonDeg, azimuthDeg, radiusM, lat, lon);
        return std::fabs(std::remainder(lon - s.lonDeg, 360.0));
    };
    constexpr double step = 180.0 / kCircleAzimuths;
    int widest = 0;
    for (int i = 1; i <= kCircleAzimuths; ++i)
        if (reach(i * step) > reach(widest * step)) widest = i;
    // The reach has one maximum between the neighbours: golden sections close on it.
    double low = std::max(0.0, (widest - 1) * step), high = std::min(180.0, (widest + 1) * step);
    constexpr double golden = 0.6180339887498949;
    for (int i = 0; i < kRefinements; ++i) {
        const double a = high - golden * (high - low), b = low + golden * (high - low);
        if (reach(a) < reach(b))
            low = a;
        else
            high = b;
    }
    return std::max(reach(widest * step), reach((low + high) / 2));
}

[[noreturn]] void refuseSize(const GridRequest& r, const std::string& problem, std::string_view allowed) {
    throw InputError("--radius-km " + shownNumber(r.radiusKm) + " with --cell-m " + shownNumber(r.cellM), problem,
                     allowed);
}

}  // namespace

terrain::Site CoverageGrid::cellCentre(int row, int col) const {
    const double lat = site.latDeg + (halfRows - row) * cellDeg();
    double lon = site.lonDeg + (col - halfCols) * cellDeg();
    if (lon > 180) lon -= 360;
    if (lon < -180) lon += 360;
    return {lat, lon};
}

std::array<double, 6> CoverageGrid::geoTransform() const {
    const double cell = cellDeg();
    return {site.lonDeg - (halfCols + 0.5) * cell, cell, 0, site.latDeg + (halfRows + 0.5) * cell, 0, -cell};
}

int cellArcSeconds(double latDeg, double cellM) {
    return std::max(1, static_cast<int>(std::lround(cellM / metresPerArcSecond(latDeg))));
}

CoverageGrid makeGrid(const GridRequest& request) {
    requireInRange(kRadiusOption, request.radiusKm, 1, kMaxRadiusKm);
    requireInRange(kCellOption, request.cellM, kMinCellM, kMaxCellM);
    const auto& earth = GeographicLib::Geodesic::WGS84();
    const double radiusM = request.radiusKm * 1000;
    const terrain::Site s = request.site;
    CoverageGrid grid;
    grid.site = s;
    grid.radiusKm = request.radiusKm;
    grid.cellArcSec = cellArcSeconds(s.latDeg, request.cellM);
    const double cell = grid.cellDeg();

    if (radiusM >= std::min(metresToPole(s, 90), metresToPole(s, -90)))
        refuseSize(request, "the map would reach a pole from --site " + shownNumber(s.latDeg) + "," +
                                shownNumber(s.lonDeg),
                   "a map whose cells all lie between the poles");
    // The ellipsoid is symmetric about the site's meridian, so the circle
    // reaches farthest north and south on it.
    double northDeg = 0, southDeg = 0, lon = 0;
    earth.Direct(s.latDeg, s.lonDeg, 0, radiusM, northDeg, lon);
    earth.Direct(s.latDeg, s.lonDeg, 180, radiusM, southDeg, lon);
    grid.halfRows = static_cast<int>(std::floor(std::max(northDeg - s.latDeg, s.latDeg - southDeg) / cell));
    grid.halfCols = static_cast<int>(std::floor(widestLongitudeDeg(s, radiusM) / cell));
    if (std::fabs(s.latDeg) + (grid.halfRows + 0.5) * cell > 90)
        refuseSize(request, "the map's edge would pass a pole from --site " + shownNumber(s.latDeg) + "," +
                                shownNumber(s.lonDeg),
                   "a map whose cells all lie between the poles");

    if (grid.cellCount() > kMaxCells)
        refuseSize(request,
                   std::to_string(grid.rows()) + " x " + std::to_string(grid.cols()) + " = " +
                       std::to_string(grid.cellCount()) + " cells of " + std::to_string(grid.cellArcSec) +
                       " arc-seconds",
                   "at most 25000000 cells: a smaller radius or larger cells");
    return grid;
}

}  // namespace tropolink::coverage
