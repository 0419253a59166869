#pragma once

#include "climate/grid.h"
#include "climate/map_format.h"
#include "climate/map_set.h"

namespace tropolink::climate {

struct ClimateValues {
    double n0 = 0;      // N-units
    double deltaN = 0;  // N-units/km
    int zoneCode = 0;   // as in the map, 0 to 6
};

// A value of `grid`, which lies as `where` says, at `point`: bilinear
// between the four grid points around it, or the nearest grid point, as
// `where.lookup` asks.
double lookupGrid(const Grid& grid, const MapGrid& where, GeoPoint point);
double lookupBilinear(const Grid& grid, const MapGrid& where, GeoPoint point);
double lookupBilinearByDifferences(const Grid& grid, const MapGrid& where, GeoPoint point);
double lookupNearest(const Grid& grid, const MapGrid& where, GeoPoint point);

double lookupN0(const MapSet& maps, GeoPoint point);
double lookupDeltaN(const MapSet& maps, GeoPoint point);
int lookupZoneCode(const MapSet& maps, GeoPoint point);
ClimateValues lookupAll(const MapSet& maps, GeoPoint point);

// The zone at the common volume; where that is sea (code 0), the stations'
// zones decide: the smaller of the two when both are on land, else the one
// on land, else 0.
int zoneForCommonVolume(const MapSet& maps, GeoPoint commonVolume, GeoPoint site1, GeoPoint site2);

}  // namespace tropolink::climate
