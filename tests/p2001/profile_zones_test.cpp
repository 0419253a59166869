// The zones of a DEM profile at the rule's boundaries: the height of the sea
// (0 m, and land below it), the coastal height limit (100 m) and the coastal
// distance (50 km), sea ahead of and behind a point, and a path with no sea.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "p2001/profile_zones.h"

namespace tropolink::p2001 {
namespace {

constexpr int S = 1;  // sea
constexpr int C = 3;  // coastal land
constexpr int I = 4;  // inland

struct ZoneCase {
    std::string name;
    std::vector<double> distanceKm;
    std::vector<double> heightM;
    std::vector<int> zones;
};

TEST(ProfileZonesTest, TableAtTheBoundaries) {
    const std::vector<ZoneCase> cases{
        {"no sea: low land is inland", {0, 10, 20}, {1, 5, 1}, {I, I, I}},
        {"0 m is sea, just above is land", {0, 10, 20}, {0, 1e-9, 0.5}, {S, C, C}},
        {"land below sea level is sea", {0, 10, 20}, {-5, -400, 30}, {S, S, C}},
        {"100 m is coastal, above it inland", {0, 1, 2, 3}, {0, 100, 100.000001, 99.999999}, {S, C, I, C}},
        {"exactly 50 km from sea behind", {0, 25, 50, 75}, {0, 10, 10, 10}, {S, C, C, I}},
        {"exactly 50 km from sea ahead", {0, 25, 50, 75}, {10, 10, 10, 0}, {I, C, C, S}},
        {"just beyond 50 km on both sides", {0, 50.000001, 100.000002}, {0, 20, 0}, {S, I, S}},
        {"the nearer sea decides", {0, 60, 70, 130}, {0, 20, 20, 0}, {S, I, I, S}},
        {"the far sea within reach", {0, 60, 90, 130}, {0, 20, 20, 0}, {S, I, C, S}},
        {"high land by the sea is inland", {0, 0.1, 0.2}, {0, 101, 2000}, {S, I, I}},
    };
    for (const ZoneCase& c : cases) EXPECT_EQ(profileZones(c.distanceKm, c.heightM), c.zones) << c.name;
}

TEST(ProfileZonesTest, AllSeaAndSinglePoints) {
    EXPECT_EQ(profileZones(std::vector<double>{0, 1}, std::vector<double>{0, -1}), (std::vector<int>{S, S}));
    EXPECT_EQ(profileZones(std::vector<double>{0}, std::vector<double>{50}), (std::vector<int>{I}));
    EXPECT_TRUE(profileZones(std::vector<double>{}, std::vector<double>{}).empty());
}

}  // namespace
}  // namespace tropolink::p2001
