// The zones of a cell's path as the P.2001 method gets them, over DEM ground
// with its gaps: points no DEM holds taken as sea, voids filled from the
// ground around them (and never made sea by --sea-where-missing), and land
// below sea level.
#include <gtest/gtest.h>

#include <cmath>

#include "coverage/p2001_method.h"
#include "coverage_fixtures.h"
#include "terrain/path_profile.h"
#include "terrain/terrain_error.h"

namespace tropolink::coverage {
namespace {

using namespace testing_support;
constexpr int kSea = 1, kCoastal = 3, kInland = 4;

// Low land at 50 m with a void across it from 44.40 to 44.42 N, and a hollow
// 20 m below sea level around 44.2 N.
double lowLand(double latDeg, double lonDeg) {
    if (latDeg > 44.40 && latDeg < 44.42) return terrain::fixtures::kVoid;
    if (std::hypot(latDeg - 44.2, lonDeg + 71.5) < 0.01) return -20;
    return 50;
}

struct ZonedPath {
    terrain::PathProfile profile;
    std::vector<int> zones;
};

ZonedPath zoned(const terrain::DemSet& dems, terrain::Site from, terrain::Site to, terrain::ProfileOptions options) {
    ZonedPath z{terrain::computeProfile(dems, from, to, options), {}};
    z.zones = p2001PathInput({from, to, z.profile}, p2001Settings()).zone;
    return z;
}

TEST(CellZonesTest, MissingGroundTakenAsSeaMakesTheLowLandNearItCoastal) {
    const Tiles tiles(lowLand);
    const ZonedPath z = zoned(tiles.dems, {44.5, -71.5}, {45.3, -71.5}, {.stepM = 500, .seaWhereMissing = true});
    ASSERT_TRUE(z.profile.sea.first.has_value());
    const double seaFromKm = z.profile.sea.first->distanceKm;
    for (std::size_t i = 0; i < z.zones.size(); ++i) {
        const double d = z.profile.distanceKm[i];
        const int expected = d >= seaFromKm ? kSea : seaFromKm - d <= 50 ? kCoastal : kInland;
        EXPECT_EQ(z.zones[i], expected) << d << " km";
    }
    EXPECT_EQ(z.zones.front(), kInland);  // 55 km from the tile's edge
}

TEST(CellZonesTest, AVoidIsFilledFromTheLandAroundItNeverMadeSea) {
    const Tiles tiles(lowLand);
    const terrain::Site from{44.3, -71.3}, to{44.6, -71.3};
    for (const bool seaWhereMissing : {false, true}) {
        try {
            terrain::computeProfile(tiles.dems, from, to, {.stepM = {}, .seaWhereMissing = seaWhereMissing});
            ADD_FAILURE() << "a void went unrefused";
        } catch (const terrain::TerrainError& e) {
            EXPECT_EQ(e.kind(), terrain::TerrainError::Kind::Gap);
        }
        const ZonedPath z =
            zoned(tiles.dems, from, to, {.stepM = {}, .seaWhereMissing = seaWhereMissing, .fillVoids = true});
        EXPECT_GT(z.profile.voids.count, 0u);
        for (std::size_t i = 0; i < z.zones.size(); ++i) EXPECT_EQ(z.zones[i], kInland) << z.profile.distanceKm[i];
    }
}

TEST(CellZonesTest, LandBelowSeaLevelIsSea) {
    const Tiles tiles(lowLand);
    const ZonedPath z = zoned(tiles.dems, {44.1, -71.5}, {44.35, -71.5}, {.stepM = 100});
    bool hollow = false;
    for (std::size_t i = 0; i < z.zones.size(); ++i) {
        if (z.profile.heightM[i] <= 0) {
            hollow = true;
            EXPECT_EQ(z.zones[i], kSea) << z.profile.distanceKm[i];
        } else {
            EXPECT_EQ(z.zones[i], kCoastal) << z.profile.distanceKm[i];  // 50 m, within 28 km of the hollow
        }
    }
    EXPECT_TRUE(hollow);
}

}  // namespace
}  // namespace tropolink::coverage
