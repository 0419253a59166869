#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

#include "profile/fresnel.h"
#include "profile/profile_settings.h"
#include "profile/rays.h"

namespace tropolink::profile {
namespace {

// Independent of the code: λ from c = 299 792 458 m/s, the zone at mid-path
// sqrt(λ (d/2)(d/2) / d) = sqrt(λ d) / 2.
TEST(FresnelTest, MidPathRadiusIsHalfTheRootOfWavelengthTimesDistance) {
    struct Case {
        double mhz;
        double km;
        double radiusM;  // worked by hand
    };
    const Case cases[] = {
        {299.792458, 100, 158.113883},  // λ = 1 m: sqrt(1e5) / 2
        {2997.92458, 40, 31.6227766},   // λ = 0.1 m: sqrt(4e3) / 2
        {50, 1, 38.7164},               // the lowest frequency: λ = 6 m
        {25000, 500, 38.7164},          // the highest: λ = 12 mm
    };
    for (const Case& c : cases)
        EXPECT_NEAR(fresnelRadiusM(c.mhz, c.km / 2, c.km / 2), c.radiusM, 0.1) << c.mhz << " MHz, " << c.km << " km";
}

TEST(FresnelTest, RadiusOverRandomPathsAndAtTheEnds) {
    std::mt19937_64 random(34);
    std::uniform_real_distribution<double> mhz(50, 25000);
    std::uniform_real_distribution<double> km(0.1, 1000);
    std::uniform_real_distribution<double> share(0, 1);
    for (int i = 0; i < 5000; ++i) {
        const double f = mhz(random);
        const double d = km(random);
        const double d1 = share(random) * d;
        const double lambda = 299792458 / (f * 1e6);
        EXPECT_NEAR(fresnelRadiusM(f, d1, d - d1), std::sqrt(lambda * d1 * 1000 * (d - d1) * 1000 / (d * 1000)), 0.1);
        EXPECT_NEAR(fresnelRadiusM(f, d / 2, d / 2), std::sqrt(lambda * d * 1000) / 2, 0.1);
    }
    EXPECT_EQ(fresnelRadiusM(1000, 0, 50), 0);
    EXPECT_EQ(fresnelRadiusM(1000, 50, 0), 0);
}

// The sagitta of the effective earth over the chord: d1 d2 / (2 ae).
TEST(FresnelTest, BulgeAtMidPath) {
    constexpr double kAeM = 8494.64543e3;
    for (const double km : {1.0, 50.0, 150.0, 300.0, 1000.0})
        EXPECT_NEAR(earthBulgeM(km / 2, km), (km / 2 * 1000) * (km / 2 * 1000) / (2 * kAeM), 1e-3) << km;
    EXPECT_EQ(earthBulgeM(0, 200), 0);
    EXPECT_EQ(earthBulgeM(200, 200), 0);
}

ProfileSettings antennas(double h1, double h2, double km) {
    ProfileSettings p;
    p.station1.antennaHeightM = h1;
    p.station2.antennaHeightM = h2;
    p.distanceKm = km;
    return p;
}

TEST(FresnelTest, WorstClearanceCountsTheBulgeAndTheZoneRadius) {
    // A flat 0 m path 60 km long between antennas at 100 m, a 30 m hill at
    // 10 km and a 60 m one mid-path: with its 53 m of bulge the mid-path hill
    // reaches 13 m above the line, the near one (29 m of bulge) stays below.
    std::vector<ProfilePoint> points;
    for (int i = 0; i <= 60; ++i) points.push_back({static_cast<double>(i), 0, i + 1});
    points[10].heightM = 30;
    points[30].heightM = 60;
    const ProfileSettings p = antennas(100, 100, 60);
    const auto worst = worstFresnelClearance(points, p, 1000);
    ASSERT_TRUE(worst);
    EXPECT_EQ(worst->point, 30u);
    const double bulge = 30e3 * 30e3 / (2 * 8494.64543e3);
    const double radius = std::sqrt(0.299792458 * 30e3 * 30e3 / 60e3);
    EXPECT_NEAR(worst->clearanceM, 100 - 60 - bulge, 1e-6);
    EXPECT_NEAR(worst->radii, (100 - 60 - bulge) / radius, 1e-9);
    EXPECT_LT(worst->radii, 0);

    // Tilted line, bare sea: the worst point is where the zone is widest
    // relative to the line's height, and it clears.
    points[10].heightM = 0;
    points[30].heightM = 0;
    const auto clear = worstFresnelClearance(points, antennas(400, 800, 60), 1000);
    ASSERT_TRUE(clear);
    EXPECT_GT(clear->radii, 1);
    EXPECT_DOUBLE_EQ(directLineM(antennas(400, 800, 60), 15), 500);

    const std::vector<ProfilePoint> ends{{0, 0, 1}, {10, 0, 2}};
    EXPECT_FALSE(worstFresnelClearance(ends, antennas(10, 10, 10), 1000));
}

}  // namespace
}  // namespace tropolink::profile
