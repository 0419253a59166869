#include <gtest/gtest.h>

#include <cmath>
#include <stdexcept>
#include <string>
#include <vector>

#include "climate/lookup.h"
#include "climate/map_reader.h"
#include "climate/map_set.h"
#include "climate/zones.h"
#include "synthetic_maps.h"

namespace tropolink::climate {
namespace {

using namespace testing;

MapSet syntheticMaps(const std::string& zones) {
    return MapSet(MapSetId::Climate, "/maps",
                  {{MapKind::N0, "/maps/N050.TXT", readMap(MapKind::N0, n0Text())},
                   {MapKind::DeltaN, "/maps/DN50.TXT", readMap(MapKind::DeltaN, deltaNText())},
                   {MapKind::Zone, "/maps/TropoClim.txt", readMap(MapKind::Zone, zones)}});
}

// Where the grids of the 1.5° maps and of the 0.5° zones lie.
const MapGrid& kBilinearGrid = mapInfo(MapKind::N0).grid;
const MapGrid& kNearestGrid = mapInfo(MapKind::Zone).grid;

// A grid whose value names its cell: row · 1000 + column.
Grid cellNames(int rows, int columns) {
    Grid grid{rows, columns, {}};
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < columns; ++c) grid.values.push_back(r * 1000 + c);
    return grid;
}

TEST(BilinearLookupTest, ExactOnTheSyntheticPlane) {
    const MapSet maps = syntheticMaps(zoneText());
    struct Case {
        GeoPoint point;
        double r;  // the fractional row and column the point stands for
        double c;
    };
    const std::vector<Case> cases{
        {{53.6866, -4.7727}, (90 - 53.6866) / 1.5, (360 - 4.7727) / 1.5},
        {{90, 0}, 0, 0},                     // the north pole, first column
        {{90, 100}, 0, 100 / 1.5},           // first row
        {{-90, 10}, 120, 10 / 1.5},          // the south pole: the last row itself
        {{-89.25, 10}, 119.5, 10 / 1.5},     // between the last two rows
        {{0, 360}, 60, 240},                 // the last column itself
        {{-90, 360}, 120, 240},              // the last row and column
        {{0, 359.25}, 60, 239.5},            // between the last two columns
        {{0, -0.75}, 60, 239.5},             // west of the seam: +360
        {{0, 0}, 60, 0},                     // the seam from the east
        {{0, 0.75}, 60, 0.5},
        {{10, 180}, 80 / 1.5, 120},          // ±180° are the same column
        {{10, -180}, 80 / 1.5, 120},
        {{45, 30}, 30, 20},                  // on a grid point
        {{45, 30.75}, 30, 20.5},             // on a grid row
        {{44.25, 30}, 30.5, 20},             // on a grid column
        {{-33.9, 151.2}, (90 + 33.9) / 1.5, 151.2 / 1.5},
        {{12.3, -171.7}, (90 - 12.3) / 1.5, (360 - 171.7) / 1.5},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(std::to_string(k.point.latDeg) + " " + std::to_string(k.point.lonDeg));
        EXPECT_NEAR(lookupN0(maps, k.point), planeN0(k.r, k.c), 1e-9);
        EXPECT_NEAR(lookupDeltaN(maps, k.point), planeDeltaN(k.r, k.c), 1e-10);
        const ClimateValues all = lookupAll(maps, k.point);
        EXPECT_EQ(all.n0, lookupN0(maps, k.point));
        EXPECT_EQ(all.deltaN, lookupDeltaN(maps, k.point));
    }
}

TEST(BilinearLookupTest, WeighsTheFourNeighbours) {
    // One raised grid point: the weight of each neighbour shows on its own.
    Grid grid{121, 241, std::vector<double>(121 * 241, 0)};
    grid.values[31 * 241 + 21] = 1;  // row 31, column 21: 43.5° N, 31.5° E
    EXPECT_NEAR(lookupBilinear(grid, kBilinearGrid, {44.1, 30.6}), 0.6 * 0.4, 1e-12);
    EXPECT_NEAR(lookupBilinear(grid, kBilinearGrid, {43.5, 31.5}), 1, 1e-12);
    EXPECT_NEAR(lookupBilinear(grid, kBilinearGrid, {42.3, 32.4}), 0.2 * 0.4, 1e-12);
    EXPECT_EQ(lookupBilinear(grid, kBilinearGrid, {45, 30}), 0);
    EXPECT_EQ(lookupBilinear(grid, kBilinearGrid, {42, 33}), 0);
}

TEST(BilinearLookupTest, BeyondTheGridMeetsItsEdge) {
    const Grid grid = cellNames(121, 241);
    EXPECT_EQ(lookupBilinear(grid, kBilinearGrid, {91, 0}), 0);
    EXPECT_EQ(lookupBilinear(grid, kBilinearGrid, {-95, 361}), 120240);
    EXPECT_EQ(lookupBilinear(grid, kBilinearGrid, {std::nan(""), std::nan("")}), 0);
}

TEST(NearestLookupTest, TakesTheSmallerIndexOnAHalfAndClamps) {
    const Grid grid = cellNames(360, 720);
    struct Case {
        GeoPoint point;
        int row;
        int column;
    };
    const std::vector<Case> cases{
        {{89.75, -179.75}, 0, 0},      // the first cell centre
        {{-89.75, 179.75}, 359, 719},  // the last
        {{89.5, -179.5}, 0, 0},        // half-way between centres: the smaller index
        {{89.5001, -179.5001}, 0, 0},  // just short of half-way
        {{89.4999, -179.4999}, 1, 1},
        {{90, -180}, 0, 0},            // the pole and the antimeridian: clamped
        {{-90, 180}, 359, 719},
        {{0, 0}, 179, 359},            // the equator and 0° lie half-way: north, west
        {{0.25, 0.25}, 179, 360},
        {{53.5823, -5.1045}, 72, 349},
        {{10, 190}, 159, 19},          // east of 180°: −170°; both halves
        {{10, -170}, 159, 19},
        {{-95, -200}, 359, 0},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(std::to_string(k.point.latDeg) + " " + std::to_string(k.point.lonDeg));
        EXPECT_EQ(lookupNearest(grid, kNearestGrid, k.point), k.row * 1000 + k.column);
    }
}

TEST(ZoneLookupTest, TheSeaRuleAtTheCommonVolume) {
    // Zone 0 (sea) everywhere but in the cells of three stations and one
    // land common volume.
    const GeoPoint sea{50.25, 0.25};
    const GeoPoint land5{51.25, 1.25};  // cell row 77, column 362
    const GeoPoint land3{52.25, 2.25};  // row 75, column 364
    const GeoPoint land6{53.25, 3.25};  // row 73, column 366
    const GeoPoint landVolume{54.25, 4.25};  // row 71, column 368, zone 4
    const GeoPoint sea2{49.25, 5.25};
    const MapSet maps = syntheticMaps(zoneText(0, {{{77, 362}, 5}, {{75, 364}, 3}, {{73, 366}, 6}, {{71, 368}, 4}}));
    ASSERT_EQ(lookupZoneCode(maps, land5), 5);
    ASSERT_EQ(lookupZoneCode(maps, land3), 3);
    ASSERT_EQ(lookupZoneCode(maps, sea), 0);
    struct Case {
        GeoPoint volume, site1, site2;
        int zone;
    };
    const std::vector<Case> cases{
        {landVolume, land5, land3, 4},  // land at the volume: its own zone
        {landVolume, sea, sea2, 4},
        {sea, land5, land3, 3},  // both on land: the smaller code
        {sea, land3, land5, 3},
        {sea, land6, land5, 5},
        {sea, land6, sea2, 6},   // one on land: its code
        {sea, sea2, land5, 5},
        {sea, sea, sea2, 0},     // neither: sea
    };
    for (const Case& k : cases) EXPECT_EQ(zoneForCommonVolume(maps, k.volume, k.site1, k.site2), k.zone);
}

TEST(ZonesTest, CodesToTheToolsZonesAndNames) {
    const std::vector<std::pair<int, std::string_view>> expected{
        {7, "maritime temperate, over sea"}, {1, "equatorial"}, {2, "continental sub-tropical"},
        {3, "maritime sub-tropical"}, {4, "desert"}, {5, "continental temperate"}, {6, "maritime temperate, over land"},
    };
    for (int code = 0; code <= 6; ++code) {
        EXPECT_EQ(climateZoneOption(code), expected[static_cast<std::size_t>(code)].first);
        EXPECT_EQ(zoneName(code), expected[static_cast<std::size_t>(code)].second);
    }
    EXPECT_THROW(climateZoneOption(7), std::out_of_range);
    EXPECT_THROW(zoneName(-1), std::out_of_range);
}

}  // namespace
}  // namespace tropolink::climate
