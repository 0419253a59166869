// The map's grid: the cell size in whole arc-seconds, the smallest grid that
// holds every cell centre within the radius, its georeference, and the
// refusals of maps too large or reaching a pole.
#include <gtest/gtest.h>

#include <GeographicLib/Geodesic.hpp>

#include <cmath>
#include <random>
#include <string>

#include "coverage/coverage_grid.h"
#include "grammar/input_error.h"

namespace tropolink::coverage {
namespace {

// Metres of one arc-second of the meridian, from a span a hundred times longer.
double metresPerArcSecond(double latDeg) {
    double metres = 0;
    GeographicLib::Geodesic::WGS84().Inverse(latDeg - 0.005, 0, latDeg + 0.005, 0, metres);
    return metres / 36;
}

double distanceKm(terrain::Site a, terrain::Site b) {
    double metres = 0;
    GeographicLib::Geodesic::WGS84().Inverse(a.latDeg, a.lonDeg, b.latDeg, b.lonDeg, metres);
    return metres / 1000;
}

TEST(CoverageGridTest, CellSizeIsTheNearestWholeArcSecond) {
    for (const double lat : {0.0, 44.0, -44.0, 60.0, 80.0}) {
        const double m = metresPerArcSecond(lat);
        EXPECT_EQ(cellArcSeconds(lat, 30), 1) << lat;
        EXPECT_EQ(cellArcSeconds(lat, 2.5 * m * (1 - 1e-6)), 2) << lat;
        EXPECT_EQ(cellArcSeconds(lat, 2.5 * m * (1 + 1e-6)), 3) << lat;
        EXPECT_EQ(cellArcSeconds(lat, 16.4 * m), 16) << lat;
        EXPECT_EQ(cellArcSeconds(lat, 0.2 * m), 1) << lat;
    }
    // 500 m at 44 N: 16 arc-seconds.
    EXPECT_EQ(makeGrid({{44, -71}, 100, 500}).cellArcSec, 16);
}

// Whether some cell centre of row `row` (or, across, of column `col`) lies within the radius.
bool rowReaches(const CoverageGrid& g, int row) {
    for (int col = -1; col <= g.cols(); ++col)
        if (distanceKm(g.site, g.cellCentre(row, col)) <= g.radiusKm) return true;
    return false;
}
bool colReaches(const CoverageGrid& g, int col) {
    for (int row = -1; row <= g.rows(); ++row)
        if (distanceKm(g.site, g.cellCentre(row, col)) <= g.radiusKm) return true;
    return false;
}

TEST(CoverageGridTest, TheSmallestGridHoldingTheDisk) {
    std::mt19937 random(36);
    std::uniform_real_distribution<double> lat(-75, 75), lon(-180, 180), radius(1, 60), cell(300, 3000);
    for (int i = 0; i < 60; ++i) {
        const CoverageGrid g = makeGrid({{lat(random), lon(random)}, radius(random), cell(random)});
        const std::string where = std::to_string(g.site.latDeg) + "," + std::to_string(g.site.lonDeg) + " R " +
                                  std::to_string(g.radiusKm) + " cell " + std::to_string(g.cellArcSec);
        // Nothing within the radius lies just beyond the grid...
        EXPECT_FALSE(rowReaches(g, -1)) << where;
        EXPECT_FALSE(rowReaches(g, g.rows())) << where;
        EXPECT_FALSE(colReaches(g, -1)) << where;
        EXPECT_FALSE(colReaches(g, g.cols())) << where;
        // ...and its edge rows and columns hold something within it.
        EXPECT_TRUE(rowReaches(g, 0) && rowReaches(g, g.rows() - 1)) << where;
        EXPECT_TRUE(colReaches(g, 0) && colReaches(g, g.cols() - 1)) << where;
        // The site is the centre of the middle cell.
        EXPECT_DOUBLE_EQ(g.cellCentre(g.halfRows, g.halfCols).latDeg, g.site.latDeg) << where;
        EXPECT_DOUBLE_EQ(g.cellCentre(g.halfRows, g.halfCols).lonDeg, g.site.lonDeg) << where;
    }
}

TEST(CoverageGridTest, GeoreferenceAndTheAntimeridian) {
    const CoverageGrid g = makeGrid({{-16.5, 179.95}, 20, 1000});
    const auto t = g.geoTransform();
    EXPECT_DOUBLE_EQ(t[1], g.cellArcSec / 3600.0);
    EXPECT_DOUBLE_EQ(t[5], -g.cellArcSec / 3600.0);
    EXPECT_EQ(t[2], 0);
    EXPECT_EQ(t[4], 0);
    // The first cell's centre is half a cell in from the corner.
    EXPECT_NEAR(t[0] + t[1] / 2 + 360, g.cellCentre(0, 0).lonDeg + 360, 1e-9);
    EXPECT_NEAR(t[3] + t[5] / 2, g.cellCentre(0, 0).latDeg, 1e-9);
    // East of 180 the cells come back round to -180.
    const terrain::Site east = g.cellCentre(0, g.cols() - 1);
    EXPECT_LT(east.lonDeg, -179.7);
    EXPECT_GT(t[0] + g.cols() * t[1], 180);
    EXPECT_NEAR(distanceKm(g.site, g.cellCentre(g.halfRows, g.cols() - 1)), 20, 1.2);
}

TEST(CoverageGridTest, RefusedBeforeAnyWork) {
    const struct {
        GridRequest request;
        std::string message;
    } cases[] = {
        {{{44, -71}, 1000, 30},
         "--radius-km 1000 with --cell-m 30: 64851 x 90117 = 5844177567 cells of 1 arc-seconds (allowed: at most "
         "25000000 cells: a smaller radius or larger cells)"},
        {{{89.5, 0}, 100, 1000},
         "--radius-km 100 with --cell-m 1000: the map would reach a pole from --site 89.5,0 (allowed: a map whose "
         "cells all lie between the poles)"},
        {{{-85, 10}, 1000, 5000}, "--radius-km 1000 with --cell-m 5000: the map would reach a pole from --site -85,10"},
        {{{44, -71}, 1001, 1000}, "--radius-km 1001: out of range (allowed: a plain decimal from 1 to 1000 km)"},
        {{{44, -71}, 100, 29}, "--cell-m 29: out of range (allowed: a plain decimal from 30 to 100000 m)"},
    };
    for (const auto& c : cases) {
        try {
            makeGrid(c.request);
            ADD_FAILURE() << "accepted: " << c.message;
        } catch (const InputError& e) {
            EXPECT_EQ(std::string(e.what()).rfind(c.message, 0), 0u) << e.what();
        }
    }
    // Just within the limit of cells.
    EXPECT_LE(makeGrid({{0, 0}, 1000, 400}).cellCount(), kMaxCells);
    EXPECT_NO_THROW(makeGrid({{80, 0}, 1000, 5000}));
}

}  // namespace
}  // namespace tropolink::coverage
