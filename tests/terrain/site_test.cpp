#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "terrain/site.h"
#include "terrain/terrain_error.h"

namespace tropolink::terrain {
namespace {

std::string refusal(const std::string& text) {
    try {
        parseSite(text, "--from");
    } catch (const TerrainError& e) {
        return e.what();
    }
    return "accepted";
}

TEST(SiteTest, AcceptedForms) {
    struct Case {
        std::string text;
        double lat, lon;
    };
    const std::vector<Case> cases{
        {"44.2706,-71.3033", 44.2706, -71.3033},
        {"44.2706, -71.3033", 44.2706, -71.3033},
        {" \t-12.5 ,  +130 ", -12.5, 130},
        {"90,180", 90, 180},
        {"-90,-180", -90, -180},
        {"0.000001,007", 0.000001, 7},
    };
    for (const auto& c : cases) {
        const Site site = parseSite(c.text);
        EXPECT_EQ(site.latDeg, c.lat) << c.text;
        EXPECT_EQ(site.lonDeg, c.lon) << c.text;
    }
}

TEST(SiteTest, RefusalsNameTheInputAndWhatIsAllowed) {
    const std::string allowed =
        " (allowed: LAT,LON in decimal degrees, latitude -90 to 90, longitude -180 to 180)";
    struct Case {
        std::string text;
        std::string problem;
    };
    const std::vector<Case> cases{
        {"91,0", "latitude out of range"},
        {"-90.0001,0", "latitude out of range"},
        {"0,180.5", "longitude out of range"},
        {"44.2", "not a position"},
        {"1,2,3", "not a position"},
        {"1e1,2", "latitude is not a plain decimal number"},
        {"0x10,2", "latitude is not a plain decimal number"},
        {"inf,2", "latitude is not a plain decimal number"},
        {"1,nan", "longitude is not a plain decimal number"},
        {".5,2", "latitude is not a plain decimal number"},
        {"5.,2", "latitude is not a plain decimal number"},
        {"1, ", "longitude is not a plain decimal number"},
        {"1,- 2", "longitude is not a plain decimal number"},
        {"44N,71W", "latitude is not a plain decimal number"},
    };
    for (const auto& c : cases) EXPECT_EQ(refusal(c.text), "--from " + c.text + ": " + c.problem + allowed) << c.text;
}

TEST(SiteTest, MessageStaysOneLine) {
    const std::string message = refusal("1\n,2");
    EXPECT_EQ(message.find('\n'), std::string::npos) << message;
    EXPECT_NE(message.find("1\\x0A,2"), std::string::npos) << message;
    EXPECT_LT(refusal(std::string(500, '9') + ",1").size(), 200u);
}

}  // namespace
}  // namespace tropolink::terrain
