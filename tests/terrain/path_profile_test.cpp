#include <gtest/gtest.h>

#include <GeographicLib/Geodesic.hpp>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <optional>
#include <string>
#include <vector>

#include "dem_fixtures.h"
#include "terrain/geodesic_path.h"
#include "terrain/path_profile.h"
#include "terrain/terrain_error.h"

namespace tropolink::terrain {
namespace {

using namespace fixtures;

double plane(double latDeg, double lonDeg) { return 1000 + 2400 * (latDeg - 44) + 3600 * (lonDeg + 72); }

// `km` from `from` along azimuth `azimuthDeg`.
Site travel(Site from, double azimuthDeg, double km) {
    Site to;
    GeographicLib::Geodesic::WGS84().Direct(from.latDeg, from.lonDeg, azimuthDeg, km * 1000, to.latDeg, to.lonDeg);
    return to;
}

std::string profileError(DemSet& dems, Site from, Site to, const ProfileOptions& options = {}) {
    try {
        computeProfile(dems, from, to, options);
    } catch (const TerrainError& e) {
        return e.what();
    }
    return "computed";
}

std::optional<TerrainError::Kind> profileErrorKind(DemSet& dems, Site from, Site to, const ProfileOptions& options = {}) {
    try {
        computeProfile(dems, from, to, options);
    } catch (const TerrainError& e) {
        return e.kind();
    }
    return std::nullopt;
}

TEST(GeodesicPathTest, KnownLengthsAzimuthsAndPositions) {
    // One degree of the equator is a/180 pi; one of the meridian from the
    // equator is 110.574 km on WGS84.
    const GeodesicPath equator({0, 10}, {0, 11});
    EXPECT_NEAR(equator.lengthKm(), 6378.137 * std::numbers::pi / 180, 1e-9);
    EXPECT_DOUBLE_EQ(equator.azimuth1Deg(), 90);
    EXPECT_DOUBLE_EQ(equator.azimuth2Deg(), 90);
    EXPECT_NEAR(equator.at(equator.lengthKm() / 2).lonDeg, 10.5, 1e-12);
    const GeodesicPath meridian({0, 10}, {1, 10});
    EXPECT_NEAR(meridian.lengthKm(), 110.574, 0.001);
    EXPECT_NEAR(meridian.at(meridian.lengthKm()).latDeg, 1, 1e-12);
    // Across the antimeridian the longitude comes back into -180..180.
    const GeodesicPath across({0, 179.9}, {0, -179.9});
    EXPECT_NEAR(across.lengthKm(), 0.2 * 6378.137 * std::numbers::pi / 180, 1e-9);
    EXPECT_NEAR(across.at(across.lengthKm() * 0.75).lonDeg, -179.95, 1e-9);
    EXPECT_THROW(GeodesicPath({12.5, -3}, {12.5, -3}), TerrainError);
    EXPECT_THROW(GeodesicPath({90.5, -3}, {12.5, -3}), TerrainError);
    EXPECT_THROW(GeodesicPath({12.5, -3}, {12.5, NAN}), TerrainError);
}

class TilesTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (int lat = 44; lat < 46; ++lat)
            for (int lon = -72; lon < -70; ++lon) writeHgtTile(dir.path(), lat, lon, plane);
        dems.emplace(std::vector<std::string>{dir.path().string()});
    }
    TempDir dir;
    std::optional<DemSet> dems;
};

TEST_F(TilesTest, PointsAlongTheGeodesicAcrossFourTiles) {
    const Site from{44.3, -71.8}, to{45.6, -70.3};
    const PathProfile p = computeProfile(*dems, from, to);
    const GeodesicPath path(from, to);
    EXPECT_EQ(p.stepM, 92);
    EXPECT_DOUBLE_EQ(p.lengthKm, path.lengthKm());
    EXPECT_DOUBLE_EQ(p.azimuth1Deg, path.azimuth1Deg());
    EXPECT_DOUBLE_EQ(p.azimuth2Deg, path.azimuth2Deg());
    ASSERT_EQ(p.distanceKm.size(), static_cast<std::size_t>(std::floor(p.lengthKm * 1000 / 92)) + 2);
    for (std::size_t i = 0; i < p.distanceKm.size(); i += 97) {
        EXPECT_NEAR(p.distanceKm[i], static_cast<double>(i) * 0.092, 1e-9);
        const Site expected = path.at(p.distanceKm[i]);
        EXPECT_NEAR(p.latDeg[i], expected.latDeg, 1e-12);
        EXPECT_NEAR(p.heightM[i], plane(p.latDeg[i], p.lonDeg[i]), 1e-6);
    }
    EXPECT_EQ(p.distanceKm.back(), p.lengthKm);
    EXPECT_EQ(p.latDeg.back(), to.latDeg);
    EXPECT_EQ(p.lonDeg.back(), to.lonDeg);
    // A straight path meets three of four tiles in a square.
    EXPECT_EQ(p.demFilesUsed.size(), 3u);
    EXPECT_EQ(p.sea.count + p.voids.count, 0u);
}

TEST_F(TilesTest, ALengthOfWholeStepsEndsOnAStep) {
    const Site from{44.5, -71.5};
    struct Case {
        double km;
        std::size_t points;
    };
    for (const auto& c : std::vector<Case>{{10, 101}, {10.05, 102}, {10.0999, 102}}) {
        const PathProfile p = computeProfile(*dems, from, travel(from, 30, c.km), {.stepM = 100});
        ASSERT_EQ(p.distanceKm.size(), c.points) << c.km;
        EXPECT_NEAR(p.distanceKm.back(), c.km, 1e-9);
        EXPECT_NEAR(p.distanceKm[c.points - 2], 0.1 * static_cast<double>(c.points - 2), 1e-9);
    }
}

TEST_F(TilesTest, MissingTileIsNamedUnlessTakenAsSea) {
    const Site from{45.5, -71.5}, to{46.5, -71.5};
    EXPECT_EQ(profileError(*dems, from, to).rfind("no elevation data at 55.", 0), 0u) << profileError(*dems, from, to);
    EXPECT_NE(profileError(*dems, from, to).find("(46.000781, -71.500000): N46W072.hgt not found in " +
                                                 dir.path().string() + " ("),
              std::string::npos)
        << profileError(*dems, from, to);

    const PathProfile p = computeProfile(*dems, from, to, {.stepM = {}, .seaWhereMissing = true});
    ASSERT_TRUE(p.sea.first.has_value());
    EXPECT_NEAR(p.sea.first->latDeg, 46.0, 0.001);
    EXPECT_NEAR(p.sea.first->distanceKm, 55.6, 0.1);
    const auto firstSea = static_cast<std::size_t>(std::lround(p.sea.first->distanceKm * 1000 / p.stepM));
    EXPECT_EQ(p.sea.count, p.distanceKm.size() - firstSea);
    EXPECT_GT(p.heightM[firstSea - 1], 3000);
    EXPECT_EQ(p.heightM[firstSea], 0);
    EXPECT_EQ(p.heightM.back(), 0);
}

TEST_F(TilesTest, GapsAreTheirOwnKindOfRefusal) {
    const Site from{45.5, -71.5};
    EXPECT_EQ(profileErrorKind(*dems, from, {46.5, -71.5}), TerrainError::Kind::Gap);
    EXPECT_EQ(profileErrorKind(*dems, from, {45.5001, -71.5}), TerrainError::Kind::Refused);  // too short
    EXPECT_EQ(profileErrorKind(*dems, from, {45.6, -71.5}, {.stepM = 0.5}), TerrainError::Kind::Refused);
    EXPECT_EQ(profileErrorKind(*dems, from, {45.6, -71.5}), std::nullopt);
}

TEST_F(TilesTest, RefusedPathsAndSteps) {
    const Site here{44.5, -71.5};
    struct Case {
        Site to;
        ProfileOptions options;
        std::string message;
    };
    const std::vector<Case> cases{
        {here, {}, "the two sites are the same place (allowed: sites 1 to 2000 km apart)"},
        {travel(here, 90, 0.9), {}, "the path is 0.900 km long (allowed: 1 to 2000 km)"},
        {travel(here, 90, 2000.5), {}, "the path is 2000.500 km long (allowed: 1 to 2000 km)"},
        {travel(here, 90, 5), {.stepM = 0.5}, "step 0.5 m (allowed: 1 to 10000 m)"},
        {travel(here, 90, 5), {.stepM = 10001}, "step 10001 m (allowed: 1 to 10000 m)"},
        {travel(here, 90, 1500), {.stepM = 10},
         "a step of 10 m needs 150001 points on this 1500.000 km path (allowed: at most 100000 points; the smallest "
         "step for this path is 16 m)"},
        {travel(here, 0, 100), {.stepM = 1},
         "a step of 1 m needs 100001 points on this 100.000 km path (allowed: at most 100000 points; the smallest "
         "step for this path is 2 m)"},
    };
    for (const auto& c : cases) EXPECT_EQ(profileError(*dems, here, c.to, c.options), c.message);
    // The limit itself is allowed, and so is the smallest step named.
    EXPECT_EQ(computeProfile(*dems, here, travel(here, 0, 99.999), {.stepM = 1}).distanceKm.size(), 100000u);
    EXPECT_EQ(computeProfile(*dems, here, travel(here, 0, 100), {.stepM = 2}).distanceKm.size(), 50001u);
}

TEST(PathProfileTest, DefaultStepIsTheFinestPostSpacingAlongTheMeridian) {
    struct Case {
        double latDeg;
        double arcSeconds;
        double stepM;
    };
    for (const auto& c : std::vector<Case>{{0.5, 3, 92}, {80.5, 3, 93}, {0.5, 1, 30}, {80.5, 1, 31}}) {
        TempDir dir;
        const double deg = c.arcSeconds / 3600;
        const auto tiff = dir / "grid.tif";
        auto constant = [](double, double) { return 7.0; };
        // The grid holds the path's first half; a coarse raster holds it all,
        // and a finer one lies off the path: the grid decides.
        writeGeoTiff(tiff, {static_cast<int>(0.05 / deg), static_cast<int>(0.1 / deg),
                            {10, deg, 0, c.latDeg + 0.05, 0, -deg}, 4326, constant, std::nullopt});
        writeGeoTiff(dir / "coarse.tif",
                     {40, 40, {9.8, 0.01, 0, c.latDeg + 0.2, 0, -0.01}, 4326, constant, std::nullopt});
        writeGeoTiff(dir / "fine.tif",
                     {40, 40, {20, deg / 2, 0, c.latDeg, 0, -deg / 2}, 4326, constant, std::nullopt});
        DemSet dems(std::vector<std::string>{tiff.string(), (dir / "coarse.tif").string(), (dir / "fine.tif").string()});
        const PathProfile p = computeProfile(dems, {c.latDeg - 0.02, 10.03}, {c.latDeg + 0.02, 10.07});
        EXPECT_EQ(p.demFilesUsed.size(), 2u);
        EXPECT_EQ(p.stepM, c.stepM) << c.latDeg << " " << c.arcSeconds;
    }
}

TEST(PathProfileTest, VoidIsNamedOrFilledAlongThePath) {
    TempDir dir;
    // A hole in a plane: 44.5 to 44.52 N.
    auto holed = [](double lat, double lon) { return lat > 44.5 && lat < 44.52 ? kVoid : plane(lat, lon); };
    writeHgtTile(dir.path(), 44, -72, holed);
    DemSet dems(std::vector<std::string>{dir.path().string()});
    const Site from{44.4, -71.5}, to{44.7, -71.5};
    const std::string message = profileError(dems, from, to);
    EXPECT_EQ(message.rfind("elevation void in " + (dir / "N44W072.hgt").string() + " at 11.", 0), 0u) << message;
    EXPECT_NE(message.find(", -71.500000)"), std::string::npos) << message;

    const PathProfile p = computeProfile(dems, from, to, {.stepM = {}, .seaWhereMissing = false, .fillVoids = true});
    ASSERT_TRUE(p.voids.first.has_value());
    EXPECT_NEAR(p.voids.first->latDeg, 44.5, 0.002);
    EXPECT_NEAR(static_cast<double>(p.voids.count), 0.02 * 111.1 / 0.092, 2);
    // A plane along a meridian rises in step with distance: the fill is the plane.
    for (std::size_t i = 0; i < p.heightM.size(); ++i) EXPECT_NEAR(p.heightM[i], plane(p.latDeg[i], -71.5), 0.05);

    // Nothing to fill from toward site 1.
    const std::string atStart = profileError(dems, {44.51, -71.5}, to, {.stepM = {}, .seaWhereMissing = false, .fillVoids = true});
    EXPECT_NE(atStart.find("no valid point toward site 1"), std::string::npos) << atStart;
    const ProfileOptions fill{.stepM = {}, .seaWhereMissing = false, .fillVoids = true};
    EXPECT_EQ(profileErrorKind(dems, from, to), TerrainError::Kind::Gap);
    EXPECT_EQ(profileErrorKind(dems, {44.51, -71.5}, to, fill), TerrainError::Kind::Gap);
}

TEST(PathProfileTest, ConeAndRidge) {
    TempDir dir;
    // A cone of 2000 m at 44.5 N 71.5 W falling 100 m a km, and an east-west
    // ridge along 44.7 N, on a post row, falling 50 m a km.
    const Site peak{44.5, -71.5};
    auto terrain = [&](double lat, double lon) {
        const double km = std::hypot((lat - peak.latDeg) * 111.1, (lon - peak.lonDeg) * 79.4);
        const double cone = std::max(0.0, 2000 - 100 * km);
        const double ridge = std::max(0.0, 1500 - 50 * std::abs(lat - 44.7) * 111.1);
        return std::max(cone, ridge);
    };
    writeHgtTile(dir.path(), 44, -72, terrain);
    DemSet dems(std::vector<std::string>{dir.path().string()});

    const PathProfile p = computeProfile(dems, peak, {44.9, -71.5});
    EXPECT_NEAR(p.heightM.front(), 2000, 1e-6);
    for (std::size_t i = 0; i < p.heightM.size(); ++i) EXPECT_NEAR(p.heightM[i], terrain(p.latDeg[i], -71.5), 1.0) << i;
    const auto crest = std::max_element(p.heightM.begin() + 100, p.heightM.end());
    EXPECT_NEAR(p.latDeg[static_cast<std::size_t>(crest - p.heightM.begin())], 44.7, 0.001);
    EXPECT_NEAR(*crest, 1500, 5);
}

TEST(PathProfileTest, AcrossTheEquatorAndTheAntimeridian) {
    TempDir dir;
    auto slope = [](double lat, double) { return 1000 + 2400 * lat; };
    for (const auto& [lat, lon] : std::vector<std::pair<int, int>>{{0, 179}, {-1, 179}, {0, -180}, {-1, -180}})
        writeHgtTile(dir.path(), lat, lon, slope);
    DemSet dems(std::vector<std::string>{dir.path().string()});
    const Site from{-0.6, 179.6}, to{0.7, -179.4};
    const PathProfile p = computeProfile(dems, from, to);
    EXPECT_NEAR(p.lengthKm, 181.8, 0.1);
    EXPECT_EQ(p.demFilesUsed.size(), 3u);
    bool crossedEquator = false, crossedAntimeridian = false;
    for (std::size_t i = 0; i < p.heightM.size(); ++i) {
        EXPECT_NEAR(p.heightM[i], slope(p.latDeg[i], 0), 1e-6);
        if (i > 0 && p.latDeg[i - 1] < 0 && p.latDeg[i] >= 0) crossedEquator = true;
        if (i > 0 && p.lonDeg[i - 1] > 0 && p.lonDeg[i] < 0) crossedAntimeridian = true;
    }
    EXPECT_TRUE(crossedEquator);
    EXPECT_TRUE(crossedAntimeridian);
}

TEST(PathProfileTest, WhiteMountainsFromMountWashington) {
    const std::string tile = std::string(TROPOLINK_EXAMPLES_DIR) + "/white-mountains.tif";
    DemSet dems(std::vector<std::string>{tile});
    const PathProfile p = computeProfile(dems, {44.2706, -71.3033}, {44.9, -71.9});
    EXPECT_NEAR(p.heightM.front(), 1900, 25);
    EXPECT_EQ(p.stepM, 92);
    EXPECT_NEAR(p.lengthKm, 84.5, 0.1);
    EXPECT_LT(*std::max_element(p.heightM.begin() + 50, p.heightM.end()), 1700);
    EXPECT_EQ(p.demFilesUsed, std::vector<std::string>{tile});
}

}  // namespace
}  // namespace tropolink::terrain
