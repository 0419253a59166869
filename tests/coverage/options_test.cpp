// The texts of a coverage map read by the number grammar: what each accepts,
// and the one-line refusal naming the input and the allowed range.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "coverage/coverage_options.h"
#include "grammar/input_error.h"
#include "terrain/terrain_error.h"

namespace tropolink::coverage {
namespace {

template <typename Read>
std::string refusal(Read read, const std::string& text) {
    try {
        read(text);
    } catch (const std::runtime_error& e) {
        return e.what();
    }
    return "accepted";
}

TEST(CoverageOptionsTest, RadiusAndCellSize) {
    EXPECT_EQ(parseRadiusKm("1"), 1);
    EXPECT_EQ(parseRadiusKm("1000"), 1000);
    EXPECT_EQ(parseRadiusKm("+99.5"), 99.5);
    EXPECT_EQ(parseCellM("30"), 30);
    EXPECT_EQ(parseCellM("100000"), 100000);
    const struct {
        std::string text;
        std::string message;
    } radii[] = {
        {"1000.0000001", "--radius-km 1000.0000001: out of range (allowed: a plain decimal from 1 to 1000 km)"},
        {"0.999", "--radius-km 0.999: out of range (allowed: a plain decimal from 1 to 1000 km)"},
        {"1e3", "--radius-km 1e3: not a plain decimal number (allowed: a plain decimal from 1 to 1000 km)"},
        {"", "--radius-km : not a plain decimal number (allowed: a plain decimal from 1 to 1000 km)"},
        {"nan", "--radius-km nan: not a plain decimal number (allowed: a plain decimal from 1 to 1000 km)"},
    };
    for (const auto& r : radii) EXPECT_EQ(refusal(parseRadiusKm, r.text), r.message);
    EXPECT_EQ(refusal(parseCellM, "29.99"),
              "--cell-m 29.99: out of range (allowed: a plain decimal from 30 to 100000 m)");
    EXPECT_EQ(refusal(parseCellM, "-500"), "--cell-m -500: out of range (allowed: a plain decimal from 30 to 100000 m)");
}

TEST(CoverageOptionsTest, Sector) {
    const struct {
        std::string text;
        double azimuth;
        double width;
    } good[] = {{"90,10", 90, 10}, {" 0 , 360 ", 0, 360}, {"360,0.5", 360, 0.5}, {"+45.25,\t2", 45.25, 2}};
    for (const auto& g : good) {
        const Sector s = parseSector(g.text);
        EXPECT_EQ(s.azimuthDeg, g.azimuth) << g.text;
        EXPECT_EQ(s.widthDeg, g.width) << g.text;
    }
    const struct {
        std::string text;
        std::string start;
    } bad[] = {
        {"90", "--sector 90: not two numbers (allowed: AZIMUTH,WIDTH in degrees"},
        {"90,10,3", "--sector 90,10,3: not two numbers"},
        {"361,10", "--sector azimuth 361: out of range (allowed: a plain decimal from 0 to 360 degrees)"},
        {"-1,10", "--sector azimuth -1: out of range"},
        {"90,0", "--sector width 0: no width (allowed: AZIMUTH,WIDTH in degrees"},
        {"90,360.1", "--sector width 360.1: out of range"},
        {"90,x", "--sector width x: not a plain decimal number"},
        {"ninety,10", "--sector azimuth ninety: not a plain decimal number"},
    };
    for (const auto& b : bad) {
        const std::string message = refusal(parseSector, b.text);
        EXPECT_EQ(message.rfind(b.start, 0), 0u) << message;
    }
}

TEST(CoverageOptionsTest, SectorHoldsItsEdgesAndWrapsAtNorth) {
    const Sector north{0, 20};
    for (const double inside : {0.0, 10.0, -10.0, 350.0, 359.999, 370.0}) EXPECT_TRUE(north.contains(inside)) << inside;
    for (const double outside : {10.001, -10.001, 180.0, 349.9}) EXPECT_FALSE(north.contains(outside)) << outside;
    const Sector all{123, 360};
    for (const double any : {0.0, 180.0, -180.0, 303.0}) EXPECT_TRUE(all.contains(any)) << any;
    EXPECT_TRUE((Sector{360, 2}).contains(0.5));
}

TEST(CoverageOptionsTest, SiteIsReadAsTheOtherSites) {
    const terrain::Site site = parseCoverageSite("44.2706, -71.3033");
    EXPECT_EQ(site.latDeg, 44.2706);
    EXPECT_EQ(site.lonDeg, -71.3033);
    EXPECT_EQ(refusal(parseCoverageSite, "95,0").rfind("--site 95,0: latitude out of range (allowed: LAT,LON", 0), 0u);
}

}  // namespace
}  // namespace tropolink::coverage
