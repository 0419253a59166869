#include "climate/lookup.h"

#include <algorithm>
#include <cmath>

namespace tropolink::climate {
namespace {

constexpr int kSeaZoneCode = 0;

// The grid index at or below a fractional one, and the fraction beyond it;
// on the last index the fraction is 0. A NaN index counts as 0, so that no
// input reads outside the grid.
struct Cell {
    int index = 0;
    double fraction = 0;
};

Cell cellOf(double fractional, int count) {
    if (!(fractional > 0)) return {0, 0};
    const int last = count - 1;
    if (fractional >= last) return {last, 0};
    const double whole = std::floor(fractional);
    return {static_cast<int>(whole), fractional - whole};
}

// On an exact half the smaller index.
int nearestIndex(double fractional, int count) {
    if (!(fractional > 0)) return 0;
    // Not floor(x + 0.5): that sum can round up a fraction just below a half.
    double rounded = std::floor(fractional);
    if (fractional - rounded > 0.5) rounded += 1;
    return rounded >= count - 1 ? count - 1 : static_cast<int>(rounded);
}

// The four grid points around a point and its fractions between them.
struct Square {
    Cell row;
    Cell column;
    int nextRow = 0;
    int nextColumn = 0;
};

Square squareAround(const Grid& grid, const MapGrid& where, GeoPoint point) {
    const double lon = point.lonDeg < 0 ? point.lonDeg + 360 : point.lonDeg;
    const Cell r = cellOf((where.firstLatDeg - point.latDeg) / where.stepDeg, grid.rows);
    const Cell c = cellOf((lon - where.firstLonDeg) / where.stepDeg, grid.columns);
    return {r, c, std::min(r.index + 1, grid.rows - 1), std::min(c.index + 1, grid.columns - 1)};
}

}  // namespace

double lookupBilinear(const Grid& grid, const MapGrid& where, GeoPoint point) {
    const auto [r, c, r1, c1] = squareAround(grid, where, point);
    const double top = (1 - c.fraction) * grid.at(r.index, c.index) + c.fraction * grid.at(r.index, c1);
    const double bottom = (1 - c.fraction) * grid.at(r1, c.index) + c.fraction * grid.at(r1, c1);
    return (1 - r.fraction) * top + r.fraction * bottom;
}

double lookupBilinearByDifferences(const Grid& grid, const MapGrid& where, GeoPoint point) {
    const auto [r, c, r1, c1] = squareAround(grid, where, point);
    const double a = grid.at(r.index, c.index);
    const double b = grid.at(r1, c.index);
    const double y1 = a + c.fraction * (grid.at(r.index, c1) - a);
    const double y2 = b + c.fraction * (grid.at(r1, c1) - b);
    return y1 + r.fraction * (y2 - y1);
}

double lookupNearest(const Grid& grid, const MapGrid& where, GeoPoint point) {
    const double lon = point.lonDeg > 180 ? point.lonDeg - 360 : point.lonDeg;
    const int row = nearestIndex((where.firstLatDeg - point.latDeg) / where.stepDeg, grid.rows);
    const int column = nearestIndex((lon - where.firstLonDeg) / where.stepDeg, grid.columns);
    return grid.at(row, column);
}

double lookupGrid(const Grid& grid, const MapGrid& where, GeoPoint point) {
    switch (where.lookup) {
        case MapLookup::Bilinear:
            return lookupBilinear(grid, where, point);
        case MapLookup::BilinearByDifferences:
            return lookupBilinearByDifferences(grid, where, point);
        case MapLookup::Nearest:
            break;
    }
    return lookupNearest(grid, where, point);
}

double lookupN0(const MapSet& maps, GeoPoint point) { return maps.at(MapKind::N0, point); }

double lookupDeltaN(const MapSet& maps, GeoPoint point) { return maps.at(MapKind::DeltaN, point); }

int lookupZoneCode(const MapSet& maps, GeoPoint point) { return static_cast<int>(maps.at(MapKind::Zone, point)); }

ClimateValues lookupAll(const MapSet& maps, GeoPoint point) {
    return {lookupN0(maps, point), lookupDeltaN(maps, point), lookupZoneCode(maps, point)};
}

int zoneForCommonVolume(const MapSet& maps, GeoPoint commonVolume, GeoPoint site1, GeoPoint site2) {
    const int zone = lookupZoneCode(maps, commonVolume);
    if (zone != kSeaZoneCode) return zone;
    const int zone1 = lookupZoneCode(maps, site1);
    const int zone2 = lookupZoneCode(maps, site2);
    if (zone1 != kSeaZoneCode && zone2 != kSeaZoneCode) return std::min(zone1, zone2);
    return zone1 != kSeaZoneCode ? zone1 : zone2;
}

}  // namespace tropolink::climate
