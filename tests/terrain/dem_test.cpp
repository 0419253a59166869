#include <gtest/gtest.h>

#include <GeographicLib/UTMUPS.hpp>

#include <fstream>
#include <string>
#include <vector>

#include "dem_fixtures.h"
#include "terrain/dem_set.h"
#include "terrain/terrain_error.h"

namespace tropolink::terrain {
namespace {

using namespace fixtures;

// Whole metres at every 3" post of the tiles around 44 N 72 W, so bilinear
// interpolation reproduces it exactly anywhere.
double plane(double latDeg, double lonDeg) { return 1000 + 2400 * (latDeg - 44) + 3600 * (lonDeg + 72); }

Surface flat(double heightM) {
    return [heightM](double, double) { return heightM; };
}

DemSet open(std::vector<std::string> paths) { return DemSet(paths); }

std::string openError(const std::string& path) {
    try {
        open({path});
    } catch (const TerrainError& e) {
        return e.what();
    }
    return "opened";
}

double heightAt(DemSet& dems, double latDeg, double lonDeg) {
    const Elevation e = dems.heightAt(latDeg, lonDeg);
    EXPECT_EQ(e.status, Elevation::Status::Ok) << latDeg << ", " << lonDeg << ": " << e.missing;
    return e.heightM;
}

struct Point {
    double lat, lon;
};
const std::vector<Point> kPointsInN44W072{
    {44.5, -71.5}, {44.123456, -71.987654}, {44.0, -72.0}, {45.0, -71.0}, {44.0, -71.0}, {45.0, -72.0},
    {44.0004, -71.9996},  // between the first two posts of both axes
};

TEST(DemTest, BilinearBetweenPostsOfHgtTiles) {
    TempDir dir;
    const auto plain = writeHgtTile(dir.path(), 44, -72, plane);
    TempDir zipped;
    const auto zip = writeHgtZip(zipped.path(), 44, -72, plane);
    for (const auto& path : {plain, zip, dir.path(), zipped.path()}) {
        DemSet dems = open({path.string()});
        for (const auto& p : kPointsInN44W072)
            EXPECT_NEAR(heightAt(dems, p.lat, p.lon), plane(p.lat, p.lon), 1e-6) << path << " " << p.lat << "," << p.lon;
        EXPECT_EQ(dems.heightAt(45.01, -71.5).status, Elevation::Status::Missing);
    }
}

TEST(DemTest, GeoTiffInAProjectedCrsIsReachedFromWgs84) {
    // UTM zone 19 N, 30 m pixels, a plane in easting and northing.
    constexpr double e0 = 480000, n0 = 4920000;
    auto tilted = [&](double e, double n) { return 200 + 0.01 * (e - e0) + 0.02 * (n - n0); };
    TempDir dir;
    const auto file = dir / "utm.tif";
    writeGeoTiff(file, {700, 700, {e0, 30, 0, n0 + 21000, 0, -30}, 32619, tilted, std::nullopt});
    DemSet dems = open({file.string()});
    for (const auto& p : std::vector<Point>{{44.5, -69.2}, {44.55, -69.13}, {44.45, -69.25}}) {
        int zone = 0;
        bool north = false;
        double e = 0, n = 0;
        GeographicLib::UTMUPS::Forward(p.lat, p.lon, zone, north, e, n, 19);
        EXPECT_NEAR(heightAt(dems, p.lat, p.lon), tilted(e, n), 1e-3) << p.lat << "," << p.lon;
    }
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(dems.heightAt(44.5, -68.0).status, Elevation::Status::Missing);
    EXPECT_EQ(dems.heightAt(-89.9, 111).status, Elevation::Status::Missing);
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
}

TEST(DemTest, EdgesAndCornersReadFromTheTileHoldingAllFourPosts) {
    TempDir dir;
    writeHgtTile(dir.path(), 44, -72, flat(100));
    writeHgtTile(dir.path(), 44, -71, flat(200));
    writeHgtTile(dir.path(), 45, -72, flat(300));
    writeHgtTile(dir.path(), 45, -71, flat(400));
    DemSet dems = open({dir.path().string()});
    constexpr double d = 1e-5;  // well inside the last post cell
    struct Case {
        double lat, lon, height;
    };
    for (const auto& c : std::vector<Case>{{45 - d, -71 - d, 100},
                                           {45 - d, -71 + d, 200},
                                           {45 + d, -71 - d, 300},
                                           {45 + d, -71 + d, 400},
                                           {45, -71.5, 300},  // shared edge row: the tile north of it comes first
                                           {45, -71, 400}})
        EXPECT_EQ(heightAt(dems, c.lat, c.lon), c.height) << c.lat << "," << c.lon;
}

TEST(DemTest, ShareEdgeReadsFromTheNeighbourWhenTheTileIsMissing) {
    TempDir dir;
    writeHgtTile(dir.path(), 44, -72, flat(100));
    DemSet dems = open({dir.path().string()});
    EXPECT_EQ(heightAt(dems, 45, -71), 100);
    EXPECT_EQ(heightAt(dems, 45, -71.5), 100);
    const Elevation beyond = dems.heightAt(45.5, -71.5);
    EXPECT_EQ(beyond.status, Elevation::Status::Missing);
    EXPECT_EQ(beyond.missing, "N45W072.hgt not found in " + dir.path().string());
}

TEST(DemTest, FolderNamesAnyCaseAndOpensOnlyTheTilesNeeded) {
    TempDir dir;
    for (int lat = 10; lat < 13; ++lat)
        for (int lon = -3; lon < 0; ++lon) writeHgtTile(dir.path(), lat, lon, flat(lat * 10 - lon));
    std::filesystem::rename(dir / "N11W002.hgt", dir / "n11w002.HGT");
    DemSet dems = open({dir.path().string()});
    EXPECT_EQ(dems.openedRasterCount(), 0u);
    EXPECT_EQ(heightAt(dems, 11.5, -1.5), 112);
    EXPECT_EQ(heightAt(dems, 11.6, -1.4), 112);
    EXPECT_EQ(dems.openedRasterCount(), 1u);
    EXPECT_EQ(heightAt(dems, 10.5, -2.5), 103);
    EXPECT_EQ(dems.openedRasterCount(), 2u);
}

TEST(DemTest, AcrossTheAntimeridian) {
    TempDir dir;
    writeHgtTile(dir.path(), -17, 179, flat(50));
    writeHgtTile(dir.path(), -17, -180, flat(60));
    DemSet folder = open({dir.path().string()});
    EXPECT_EQ(heightAt(folder, -16.5, 179.9999), 50);
    EXPECT_EQ(heightAt(folder, -16.5, -179.9999), 60);
    const double on = heightAt(folder, -16.5, 180);
    EXPECT_TRUE(on == 50 || on == 60) << on;

    // One raster whose columns run on past 180 east.
    const auto tiff = dir / "wide.tif";
    writeGeoTiff(tiff, {240, 120, {179.5, 1.0 / 240, 0, -16, 0, -1.0 / 240}, 4326,
                        [](double lon, double) { return 1000 * (lon - 179.5); }, std::nullopt});
    DemSet wide = open({tiff.string()});
    EXPECT_NEAR(heightAt(wide, -16.2, -179.75), 750, 1e-3);
    EXPECT_NEAR(heightAt(wide, -16.2, 179.75), 250, 1e-3);
}

TEST(DemTest, FirstDemWithFourValidPostsWins) {
    TempDir dir;
    // A void patch in the first DEM; the second covers it.
    auto holed = [](double lat, double lon) {
        return lat > 44.4004 && lat < 44.6 && lon > -71.6 && lon < -71.4 ? kVoid : 100.0;
    };
    TempDir first, second;
    writeHgtTile(first.path(), 44, -72, holed);
    writeHgtTile(second.path(), 44, -72, flat(200));
    DemSet both = open({first.path().string(), second.path().string()});
    EXPECT_EQ(heightAt(both, 44.3, -71.5), 100);
    EXPECT_EQ(heightAt(both, 44.5, -71.5), 200);
    // On the patch's rim: two posts valid and two void, then all four valid.
    EXPECT_EQ(heightAt(both, 44.4004, -71.5), 200);
    EXPECT_EQ(heightAt(both, 44.3995, -71.5), 100);

    DemSet alone = open({first.path().string()});
    const Elevation e = alone.heightAt(44.5, -71.5);
    EXPECT_EQ(e.status, Elevation::Status::Void);
    ASSERT_NE(e.raster, nullptr);
    EXPECT_EQ(e.raster->name(), (first / "N44W072.hgt").string());
}

TEST(DemTest, PathsGdalCannotUse) {
    TempDir dir;
    EXPECT_EQ(openError((dir / "none.tif").string()), "DEM " + (dir / "none.tif").string() + ": no such file or folder");

    const auto text = dir / "notes.txt";
    std::ofstream(text) << "not a raster\n";
    EXPECT_EQ(openError(text.string()).rfind("DEM " + text.string() + ": not a raster GDAL can read (", 0), 0u)
        << openError(text.string());

    const auto bare = dir / "bare.tif";
    writeGeoTiff(bare, {10, 10, {}, 0, flat(1), std::nullopt});
    EXPECT_EQ(openError(bare.string()), "DEM " + bare.string() +
                                            ": the raster has no georeference (allowed: a raster with a geotransform "
                                            "and a coordinate system)");
    ::testing::internal::CaptureStderr();
    for (const auto& message : {openError(text.string()), openError(bare.string())})
        EXPECT_EQ(message.find('\n'), std::string::npos);
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
}

}  // namespace
}  // namespace tropolink::terrain
