#pragma once

#include "climate/grid.h"

namespace tropolink::climate {

// Degrees, north and east positive. Longitudes from −180 to 360 are taken
// as they come; latitudes beyond ±90 and longitudes beyond that range
// meet the edge of the grid.
struct GeoPoint {
    double latDeg = 0;
    double lonDeg = 0;
};

// The three maps, checked and in memory.
struct ClimateMaps {
    Grid n0;      // N050.TXT
    Grid deltaN;  // DN50.TXT
    Grid zones;   // TropoClim.txt
};

struct ClimateValues {
    double n0 = 0;      // N-units
    double deltaN = 0;  // N-units/km
    int zoneCode = 0;   // as in the map, 0 to 6
};

// Bilinear on the 1.5° grid whose first row is 90° N and first column 0° E;
// a western longitude is taken as lon + 360.
double lookupBilinear(const Grid& grid, GeoPoint point);
// The nearest 0.5° cell centre, the first at 89.75° N 179.75° W; halves
// round up. Longitudes east of 180° are taken as lon − 360.
double lookupNearest(const Grid& grid, GeoPoint point);

double lookupN0(const ClimateMaps& maps, GeoPoint point);
double lookupDeltaN(const ClimateMaps& maps, GeoPoint point);
int lookupZoneCode(const ClimateMaps& maps, GeoPoint point);
ClimateValues lookupAll(const ClimateMaps& maps, GeoPoint point);

// The zone at the common volume; where that is sea (code 0), the stations'
// zones decide: the smaller of the two when both are on land, else the one
// on land, else 0.
int zoneForCommonVolume(const ClimateMaps& maps, GeoPoint commonVolume, GeoPoint site1, GeoPoint site2);

}  // namespace tropolink::climate
