#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "climate/import.h"
#include "climate/lookup.h"
#include "climate/map_error.h"
#include "climate/map_reader.h"
#include "climate/map_set.h"
#include "climate/maps_service.h"
#include "climate/status.h"
#include "synthetic_itu_maps.h"
#include "zip_writer.h"

namespace tropolink::climate {
namespace {

using namespace testing;
namespace fs = std::filesystem;

// The maps only the complete P.2001 method reads.
std::vector<MapKind> p2001OnlyMaps() {
    std::vector<MapKind> kinds;
    for (const MapKind kind : kP2001AllMaps)
        if (kind != MapKind::Zone) kinds.push_back(kind);
    return kinds;
}

// The bilinear look-up of the P.2001 method written out as it states it:
// 1-based indices, then a + v·(b − a) along each row and u·(y2 − y1) down.
double statedBilinear(const Grid& g, double stepDeg, double latDeg, double lonDeg) {
    const double lon = lonDeg < 0 ? lonDeg + 360 : lonDeg;
    const double r = (90 - latDeg) / stepDeg;
    const double c = lon / stepDeg;
    const int R = static_cast<int>(std::floor(r)) + 1;
    const int C = static_cast<int>(std::floor(c)) + 1;
    const double u = r - (R - 1);
    const double v = c - (C - 1);
    const int R1 = std::min(R + 1, g.rows);
    const int C1 = std::min(C + 1, g.columns);
    const auto V = [&](int row, int column) { return g.at(row - 1, column - 1); };
    const double y1 = V(R, C) + v * (V(R, C1) - V(R, C));
    const double y2 = V(R1, C) + v * (V(R1, C1) - V(R1, C));
    return y1 + u * (y2 - y1);
}

Grid randomGrid(const MapFormat& f, unsigned seed) {
    std::mt19937_64 random(seed);
    std::uniform_real_distribution<double> value(f.minValue, f.maxValue);
    Grid g{f.rows, f.columns, {}};
    for (int i = 0; i < f.rows * f.columns; ++i) g.values.push_back(value(random));
    return g;
}

TEST(P2001MapsTest, TheBilinearLookUpFollowsTheMethodToTheLastDigit) {
    for (const MapKind kind : {MapKind::DnMedian, MapKind::RainMt}) {
        const MapInfo& info = mapInfo(kind);
        SCOPED_TRACE(info.format.fileName);
        const Grid g = randomGrid(info.format, 7);
        const double step = info.grid.stepDeg;
        std::vector<GeoPoint> points{
            {90, 0}, {-90, 0}, {90, 180}, {-90, -180}, {0, 180}, {0, -180}, {0, -0.0},  // poles, antimeridian
            {45, step}, {45 - step / 3, 2 * step + step / 7},                        // on and between points
            {-90, 359.999999}, {12.3, -0.000001}, {-89.999999, 179.999999},          // at the edges and the wrap
        };
        std::mt19937_64 random(11);
        std::uniform_real_distribution<double> lat(-90, 90);
        std::uniform_real_distribution<double> lon(-180, 180);
        for (int i = 0; i < 5000; ++i) points.push_back({lat(random), lon(random)});
        for (const GeoPoint p : points) {
            const double expected = statedBilinear(g, step, p.latDeg, p.lonDeg);
            EXPECT_EQ(lookupGrid(g, info.grid, p), expected) << p.latDeg << " " << p.lonDeg;
        }
    }
}

TEST(P2001MapsTest, GridPointsAndTheWrapGiveTheFileValues) {
    const MapFormat& f = mapFormat(MapKind::RainPr6);
    const Grid g = readMap(MapKind::RainPr6, mapText(MapKind::RainPr6, [](int r, int c) { return r * 0.25 + c * 0.125; }));
    const MapGrid& where = mapInfo(MapKind::RainPr6).grid;
    struct Case {
        GeoPoint point;
        double value;
    };
    const std::vector<Case> cases{
        {{90, 0}, 0},                            // row 1, column 1
        {{-90, 0}, 160 * 0.25},                  // the last row
        {{90, 360}, 320 * 0.125},                // the last column, 360° E
        {{90, -1.125}, 319 * 0.125},             // west of 0°: lon + 360
        {{90 - 1.125 / 2, 1.125 / 2}, 0.1875},   // half-way between four points
        {{90 - 3 * 1.125, 180}, 3 * 0.25 + 160 * 0.125},
        {{-95, 400}, 160 * 0.25 + 320 * 0.125},  // beyond the grid: its corner
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.point.latDeg) + " " + std::to_string(c.point.lonDeg));
        EXPECT_DOUBLE_EQ(lookupGrid(g, where, c.point), c.value);
    }
    EXPECT_EQ(f.rows, 161);
    EXPECT_EQ(f.columns, 321);
}

// What each map may hold: the observed extremes widened by half their size,
// and the message names it as the table says.
TEST(P2001MapsTest, RangesAreTheObservedOnesWidenedByHalf) {
    struct Case {
        MapKind kind;
        double min, max;
    };
    const std::vector<Case> cases{
        {MapKind::DnMedian, 12.3, 119.85},       {MapKind::DnSupSlope, 2.75, 73.8},
        {MapKind::DnSubSlope, 1.4, 65.7},        {MapKind::Dndz01, -2692.5, -29.25},
        {MapKind::SurfaceWaterVapour, 0, 34.65}, {MapKind::ZeroDegreeHeight, 0.003, 9.42},
        {MapKind::RainPr6, 0, 140.85},           {MapKind::RainMt, 0.01, 9051},
        {MapKind::RainBeta, 0, 1.17},            {MapKind::FoEs0p1, 3.05, 30.6},
        {MapKind::FoEs1, 2.45, 19.2},            {MapKind::FoEs10, 1.45, 11.25},
        {MapKind::FoEs50, 0.975, 6.375},
    };
    ASSERT_EQ(cases.size(), p2001OnlyMaps().size());
    for (const Case& c : cases) {
        const MapFormat& f = mapFormat(c.kind);
        SCOPED_TRACE(f.fileName);
        EXPECT_NEAR(f.minValue, c.min, 1e-12);
        EXPECT_NEAR(f.maxValue, c.max, 1e-12);
        EXPECT_NE(f.allowedValues.find(" from " + number(c.min) + " to " + number(c.max)), std::string::npos)
            << f.allowedValues;
        EXPECT_EQ(f.recommendation, "ITU-R P.2001");
    }
}

TEST(P2001MapsTest, ValuesJustOutsideTheRangeOrNaNAreRefused) {
    for (const MapKind kind : p2001OnlyMaps()) {
        const MapFormat& f = mapFormat(kind);
        SCOPED_TRACE(f.fileName);
        const double mid = syntheticValue(kind);
        const auto withValue = [&](double value) {
            return mapText(kind, [&](int r, int c) { return r == 2 && c == 4 ? value : mid; });
        };
        EXPECT_EQ(readMap(kind, withValue(f.minValue)).at(2, 4), f.minValue);
        EXPECT_EQ(readMap(kind, withValue(f.maxValue)).at(2, 4), f.maxValue);
        const double outside[] = {std::nextafter(f.minValue, -HUGE_VAL), std::nextafter(f.maxValue, HUGE_VAL),
                                  std::numeric_limits<double>::quiet_NaN()};
        for (const double value : outside) {
            try {
                readMap(kind, withValue(value));
                ADD_FAILURE() << "accepted " << value;
            } catch (const MapError& e) {
                const std::string problem = std::isnan(value) ? "\"nan\" is not a number" : number(value) + " is out of range";
                EXPECT_EQ(std::string(e.what()), std::string(f.fileName) + ": row 3, column 5: " + problem +
                                                     " (allowed: " + std::string(f.allowedValues) + ")");
            }
        }
    }
}

TEST(P2001MapsTest, TheSyntheticMapsReadAsBothSets) {
    const ScratchDir dir;
    writeAllMaps(dir.path());
    const MapSet troposcatter = readMapSet(MapSetId::Climate, dir.path());
    const MapSet complete = readMapSet(MapSetId::P2001All, dir.path());
    EXPECT_EQ(troposcatter.at(MapKind::N0, {10, 20}), 310);
    EXPECT_EQ(complete.at(MapKind::DnMedian, {10, 20}), 40);
    EXPECT_EQ(complete.at(MapKind::Zone, {-10, -20}), 6);
    for (const MapKind kind : kP2001AllMaps) EXPECT_EQ(complete.at(kind, {33, -120}), syntheticValue(kind));
}

TEST(P2001MapsTest, ImportsTheFourteenFromTheP2001Zip) {
    const ScratchDir dir;
    // The maps in a folder of their own beside the documents, and some in a ZIP within it.
    std::vector<std::pair<std::string, std::string>> inner;
    std::vector<std::pair<std::string, std::string>> outer{{"R-REC-P.2001-5/Recommendation.docx", "PK"}};
    for (const MapKind kind : kP2001AllMaps) {
        const std::string name(mapFormat(kind).fileName);
        auto& members = kind == MapKind::RainMt || kind == MapKind::FoEs50 ? inner : outer;
        members.emplace_back("R-REC-P.2001-5/Maps/" + name, constantMapText(kind));
    }
    writeZip(dir / "inner.zip", inner);
    outer.emplace_back("R-REC-P.2001-5/Maps/rain.zip", readFile(dir / "inner.zip"));
    writeZip(dir / "p2001.zip", outer);

    const std::vector<fs::path> zip{dir / "p2001.zip"};
    const ImportResult result = importMaps(zip, dir / "maps");
    EXPECT_EQ(result.installed.size(), 14u);
    EXPECT_EQ(result.missing, (std::vector{MapKind::N0, MapKind::DeltaN}));
    EXPECT_EQ(describeImport(result).substr(describeImport(result).find("; ")),
              "; still missing N050.TXT and DN50.TXT (from the ZIP of ITU-R P.1812 or P.452)");
    MapsService service;
    const auto maps = service.find(MapSetId::P2001All, dir / "maps");
    ASSERT_TRUE(maps);
    EXPECT_EQ(maps->at(MapKind::FoEs50, {0, 0}), 3);
    // Named, the folder is refused for the climate maps it lacks rather than passed over.
    EXPECT_THROW(service.find(MapSetId::Climate, dir / "maps"), InstallError);
    EXPECT_FALSE(service.find(MapSetId::Climate, std::vector{dir / "maps"}));
}

TEST(P2001MapsTest, AnImportWithOneMapOutOfRangeInstallsNothing) {
    const ScratchDir dir;
    std::vector<std::pair<std::string, std::string>> members;
    for (const MapKind kind : kP2001AllMaps)
        members.emplace_back(std::string(mapFormat(kind).fileName),
                             kind == MapKind::RainBeta ? constantMapText(kind, 1.5) : constantMapText(kind));
    writeZip(dir / "p2001.zip", members);
    const std::vector<fs::path> zip{dir / "p2001.zip"};
    try {
        importMaps(zip, dir / "maps");
        ADD_FAILURE() << "installed";
    } catch (const MapError& e) {
        EXPECT_EQ(std::string(e.what()), (dir / "p2001.zip").string() +
                                             "/Esarain_Beta_v5.txt: row 1, column 1: 1.5 is out of range "
                                             "(allowed: fractions from 0 to 1.17)");
    }
    EXPECT_FALSE(fs::exists(dir / "maps" / "DN_Median.txt"));
}

TEST(P2001MapsTest, StatusListsEveryMapOfTheSet) {
    const ScratchDir dir;
    writeP2001AllMaps(dir.path());
    fs::remove(dir / "h0.txt");
    const std::vector<MapStatus> status = mapsStatus(dir.path(), MapSetId::P2001All);
    ASSERT_EQ(status.size(), 14u);
    for (std::size_t i = 0; i < status.size(); ++i) {
        SCOPED_TRACE(mapFormat(status[i].kind).fileName);
        EXPECT_EQ(status[i].kind, kP2001AllMaps[i]);
        const bool absent = status[i].kind == MapKind::ZeroDegreeHeight;
        EXPECT_EQ(status[i].valid, !absent);
        if (!absent) {
            EXPECT_EQ(status[i].minValue, syntheticValue(status[i].kind));
        }
    }
    EXPECT_EQ(status[5].problem, "no h0.txt in " + dir.path().string());
}

}  // namespace
}  // namespace tropolink::climate
