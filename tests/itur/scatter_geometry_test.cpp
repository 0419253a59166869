#include "itur/scatter_geometry.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>

namespace tropolink::itur {
namespace {

constexpr StationSite kStartSite{0.010, 0.005, 5};  // the start positions of the sliders

TEST(ScatterGeometry, EffectiveEarthRadiusFromTheLapseRate) {
    EXPECT_NEAR(effectiveEarthRadiusKm(40), 8549.119658119658, 1e-9);
    EXPECT_DOUBLE_EQ(effectiveEarthRadiusKm(0), 6371);
    EXPECT_GT(effectiveEarthRadiusKm(80), effectiveEarthRadiusKm(20));
}

TEST(ScatterGeometry, HorizonElevationIsTheHigherOfHorizonAndObstruction) {
    const double ae = effectiveEarthRadiusKm(40);
    struct Case {
        StationSite site;
        double expectedMrad;
    };
    const std::array<Case, 4> cases{{
        {kStartSite, -1.2924277703407256},                  // the obstruction stands above the horizon
        {{0.010, 0.001, 1}, -1.529516970394839},            // it lies below: the smooth-earth horizon
        {{0, 0, 0}, -5.8485554068145165e-05},               // zeros count as 0.001 km
        {{0.010, 0.010, 0.001}, -1000 * 0.001 / (2 * ae)},  // level with the antenna, 1 m away
    }};
    for (const Case& c : cases) EXPECT_NEAR(horizonElevationMrad(c.site, ae), c.expectedMrad, 1e-12);
}

TEST(ScatterGeometry, StartPositionsAreTransHorizon) {
    const ScatterGeometry g = geometryFromSites(kStartSite, kStartSite, 250, effectiveEarthRadiusKm(40));
    EXPECT_NEAR(g.scatterAngleMrad(), 26.657921493391132, 1e-12);
    EXPECT_FALSE(g.lineOfSight());
    EXPECT_DOUBLE_EQ(g.antennaHeight1M, 10);
}

TEST(ScatterGeometry, HighAntennasSeeEachOther) {
    const StationSite high{10, 0.005, 5};
    const ScatterGeometry g = geometryFromSites(high, high, 250, effectiveEarthRadiusKm(40));
    EXPECT_LT(g.scatterAngleMrad(), 0);
    EXPECT_TRUE(g.lineOfSight());
}

TEST(ScatterGeometry, ZeroScatterAngleIsLineOfSight) {
    ScatterGeometry g{100, 10000, -4, -6, 10, 10};
    EXPECT_EQ(g.scatterAngleMrad(), 0);
    EXPECT_TRUE(g.lineOfSight());
    EXPECT_DOUBLE_EQ(geometryFromSites({0, 0, 0}, {0, 0, 0}, 1, 8500).antennaHeight2M, 1);
}

}  // namespace
}  // namespace tropolink::itur
