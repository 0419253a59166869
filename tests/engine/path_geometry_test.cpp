#include "engine/path_geometry.h"

#include <gtest/gtest.h>

#include <cmath>

#include "engine/constants.h"
#include "pass_helpers.h"

namespace tropolink {
namespace {

using namespace test;
using enum Slider;

constexpr double kEffectiveEarthRadiusKm = 8494.64543;

struct GeometryCase {
    const char* name;
    Settings settings;
    double horizonDistance;  // station 1, km
    double horizonAngle;     // station 1, degrees
    bool horizonLimited;     // both stations
    double scatteringAngle;
    bool lineOfSight;
};

class PathGeometryTest : public testing::TestWithParam<GeometryCase> {};

TEST_P(PathGeometryTest, AnglesAndVerdict) {
    const GeometryCase& c = GetParam();
    const PathGeometry g = computePathGeometry(paramsAt(c.settings));
    EXPECT_NEAR(g.station1.horizonDistance, c.horizonDistance, decimals(4));
    EXPECT_NEAR(g.station1.horizonAngle, c.horizonAngle, decimals(5));
    EXPECT_EQ(g.station1.horizonLimited, c.horizonLimited);
    EXPECT_EQ(g.station2.horizonLimited, c.horizonLimited);
    EXPECT_NEAR(g.scatteringAngle, c.scatteringAngle, decimals(5));
    EXPECT_EQ(g.lineOfSight, c.lineOfSight);
}

INSTANTIATE_TEST_SUITE_P(Examples, PathGeometryTest,
                         testing::Values(GeometryCase{"Default", {}, 13.0192, -0.08802, false, 1.53792, false},
                                         // A height of 0 m counts as 1 m.
                                         GeometryCase{"ZeroAntenna", bothStations({{HScroll1, 0}}), 4.11704, -0.02783,
                                                      false, 1.74418, false},
                                         GeometryCase{"HighAntennas", bothStations({{HScroll1, 10000}}), 411.7038,
                                                      -2.78335, true, -3.88047, true}),
                         CaseName());

TEST(PathGeometryTest, DefaultObstructionAndAngularDistance) {
    const PathGeometry g = computePathGeometry(paramsAt({}));
    EXPECT_NEAR(g.effectiveEarthRadius, kEffectiveEarthRadiusKm, decimals(5));
    EXPECT_NEAR(g.angularDistance, 1.68623, decimals(5));
    EXPECT_NEAR(g.station1.obstructionAngle, -0.07416, decimals(5));
    EXPECT_DOUBLE_EQ(g.station1.takeOffAngle, g.station1.obstructionAngle);
}

TEST(PathGeometryTest, ObstructionAsHighAsTheAntennaOnlyFollowsTheEarth) {
    const PathGeometry g = computePathGeometry(paramsAt(bothStations({{HScroll2, 10}})));
    EXPECT_NEAR(g.station1.obstructionAngle, -5 / (2 * kEffectiveEarthRadiusKm) * kDegreesPerRadian, 1e-12);
    EXPECT_FALSE(g.station1.horizonLimited);
}

TEST(PathGeometryTest, ObstructionRightBesideTheAntennaGivesASteepAngle) {
    // 0 km counts as 1 m: 10 m of rise over it is 10 radians.
    const PathGeometry g = computePathGeometry(paramsAt({{HScroll3, 0}, {HScroll2, 20}}));
    EXPECT_NEAR(g.station1.takeOffAngle, 572.96, decimals(2));
}

TEST(PathGeometryTest, ObstructionExactlyOnTheHorizonIsHorizonLimited) {
    // An obstruction height (between slider steps) whose ray meets the horizon ray exactly.
    LinkParameters p = paramsAt({});
    p.station1.antennaHeight = 0.1;
    p.station1.obstructionDistance = 10;
    p.station1.obstructionHeight = 0.057307402355746946;
    const PathGeometry g = computePathGeometry(p);
    ASSERT_EQ(g.station1.obstructionAngle, g.station1.horizonAngle);
    EXPECT_TRUE(g.station1.horizonLimited);
    p.station1.obstructionHeight = std::nextafter(p.station1.obstructionHeight, 1.0);
    EXPECT_FALSE(computePathGeometry(p).station1.horizonLimited);
}

TEST(PathGeometryTest, ScatteringAngleOfExactlyZeroIsLineOfSight) {
    const Settings flat = concat(bothStations({{HScroll1, 0}, {HScroll2, 0}, {HScroll3, 1}}), {{HScroll22, 1}});
    const PathGeometry g = computePathGeometry(paramsAt(flat));
    EXPECT_EQ(g.scatteringAngle, 0.0);
    EXPECT_TRUE(g.lineOfSight);
}

TEST(PathGeometryTest, RefractivityDoesNotEnter) {
    const PathGeometry low = computePathGeometry(paramsAt({{HScroll23, 270}}));
    const PathGeometry high = computePathGeometry(paramsAt({{HScroll23, 350}}));
    EXPECT_EQ(low.scatteringAngle, high.scatteringAngle);
    EXPECT_EQ(low.station1.takeOffAngle, high.station1.takeOffAngle);
}

TEST(PathGeometryTest, ZeroReplacementTouchesOnlyExactZeros) {
    LinkParameters p;
    p.station1 = {0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    p.station2 = {0.002, 0, 7, 0, 0, 0, 0, 0, 0, 0};
    replaceZeroDistances(p);
    EXPECT_EQ(p.station1.antennaHeight, kZeroReplacementKm);
    EXPECT_EQ(p.station1.obstructionHeight, kZeroReplacementKm);
    EXPECT_EQ(p.station1.obstructionDistance, kZeroReplacementKm);
    EXPECT_EQ(p.station2.antennaHeight, 0.002);
    EXPECT_EQ(p.station2.obstructionHeight, kZeroReplacementKm);
    EXPECT_EQ(p.station2.obstructionDistance, 7);
    EXPECT_EQ(p.station1.rxBandwidth, 0);  // the receiver stage has its own guard
}

}  // namespace
}  // namespace tropolink
