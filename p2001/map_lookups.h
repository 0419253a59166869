#pragma once

#include <functional>
#include <string_view>
#include <vector>

#include "p2001/great_circle.h"
#include "p2001/path_input.h"

// Which map values a path needs, and where: for a maps service to fill a
// MapValues. The common volume's place depends on the median effective earth
// radius, so the DN_Median value at the mid-point comes first.
namespace tropolink::p2001 {

enum class MapFile {
    DnMedian,
    DnSupSlope,
    DnSubSlope,
    Dndz01,
    SurfaceWaterVapour,
    ZeroDegreeHeight,
    RainPr6,
    RainMt,
    RainBeta,
    FoEs01,  // exceeded 0.1 %
    FoEs1,
    FoEs10,
    FoEs50,
    TropoClim,
};

// The ITU's file name, as "DN_Median.txt".
std::string_view mapFileName(MapFile file);

// Where on the path a value is read.
enum class MapSite { MidPoint, Tx, Rx, Quarter, ThreeQuarter, TxSegmentMid, RxSegmentMid, CommonVolume };

struct MapLookup {
    MapFile file;
    MapSite site;
    GeoPoint at;  // longitude wrapped into (−180, 180]
};

// The path's mid-point, where DN_Median is read.
GeoPoint pathMidPoint(const PathInput& path);

// Every look-up of the path, given DN_Median at the mid-point. Throws
// InputError for a path outside the method's domain.
std::vector<MapLookup> mapLookups(const PathInput& path, double dnMedian);

// Stores one looked-up value where the method reads it (TropoClim rounded to
// its whole zone).
void assignMapValue(MapValues& maps, const MapLookup& lookup, double value);

// The value of one of the 14 maps at a point. Called from many threads at
// once; a maps service reads its shared maps, tests give constants.
using MapReader = std::function<double(MapFile, GeoPoint)>;

// Every map value the path needs, DN_Median at the path's mid-point first,
// since it places the others. Throws InputError for a path outside the
// method's domain.
MapValues mapValues(const PathInput& path, const MapReader& read);

}  // namespace tropolink::p2001
