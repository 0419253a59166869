#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <optional>
#include <regex>
#include <string>
#include <vector>

#include "profile/fresnel.h"
#include "profile/profile_settings.h"
#include "report/profile_svg.h"

namespace tropolink {
namespace {

using testing::HasSubstr;
using testing::Not;

// 250 km at sea level every 100 m with two ridges, optionally with zones:
// sea for the first 20 km, coastal land to 40 km, inland beyond.
std::vector<profile::ProfilePoint> ridgePath(bool zones) {
    std::vector<profile::ProfilePoint> points;
    for (int i = 0; i <= 2500; ++i) {
        const double km = i / 10.0;
        double m = km > 20 ? 50 : 0;
        if (i == 600) m = 1482;
        if (i == 2300) m = 900;
        const int zone = !zones ? 0 : km <= 20 ? profile::kSeaZone : km <= 40 ? profile::kCoastalLandZone : profile::kInlandZone;
        points.push_back({km, m, i + 2, zone});
    }
    return points;
}

struct Picture {
    std::vector<profile::ProfilePoint> points;
    profile::ProfileSettings settings;
    PassValues values;
    std::string svg;
};

Picture draw(bool zones, std::optional<double> mhz) {
    Picture p{ridgePath(zones), {}, {}, {}};
    p.settings = profile::deriveSettings(p.points, 30, 30);
    p.svg = profileSvg({p.points, p.settings, p.values, mhz});
    return p;
}

// The height axis as the picture draws it: each tick's value against the y of
// its grid line, both in drawing order.
struct Axis {
    double y0 = 0;
    double v0 = 0;
    double metresPerPx = 0;
    double at(double y) const { return v0 + (y - y0) * metresPerPx; }
};

Axis heightAxis(const std::string& svg) {
    std::vector<double> lineYs;
    const std::string grid = svg.substr(svg.find("<g class=\"grid\""));
    const std::regex line(R"re(<line x1="80" y1="([0-9.]+)" x2="790" y2="([0-9.]+)")re");
    for (auto m = std::sregex_iterator(grid.begin(), grid.begin() + static_cast<long>(grid.find("</g>")), line);
         m != std::sregex_iterator(); ++m)
        lineYs.push_back(std::stod((*m)[1]));
    std::vector<double> values;
    const std::regex tick(R"re(<text x="72" y="[0-9.]+" text-anchor="end" stroke="none">(-?[0-9]+)</text>)re");
    for (auto m = std::sregex_iterator(svg.begin(), svg.end(), tick); m != std::sregex_iterator(); ++m)
        values.push_back(std::stod((*m)[1]));
    EXPECT_GE(lineYs.size(), 3u);
    EXPECT_EQ(lineYs.size(), values.size());
    if (lineYs.size() < 2 || lineYs.size() != values.size()) return {};
    const Axis axis{lineYs.front(), values.front(),
                    (values.back() - values.front()) / (lineYs.back() - lineYs.front())};
    // Straight: every grid line where its value says.
    for (std::size_t i = 0; i < values.size(); ++i)
        EXPECT_NEAR(axis.at(lineYs[i]), values[i], 0.1 * std::abs(axis.metresPerPx));  // px to 0.1
    return axis;
}

TEST(ProfileSvgTest, RidgeLabelsReadTheirHeightOnTheAxis) {
    const Picture p = draw(false, 2000);
    const Axis axis = heightAxis(p.svg);
    // The horizon points: their dots and labels, which give height and bulge.
    std::vector<double> dotYs;
    const std::regex dot(R"re(<circle cx="([0-9.]+)" cy="([0-9.]+)" r="4" fill="#d0312d")re");
    for (auto m = std::sregex_iterator(p.svg.begin(), p.svg.end(), dot); m != std::sregex_iterator(); ++m)
        if (std::stod((*m)[1]) <= 790) dotYs.push_back(std::stod((*m)[2]));  // not the legend's
    std::vector<double> labelled;
    const std::regex text(R"re(>[0-9.]+ km from station [12], ([0-9]+) m \+ ([0-9]+) m bulge</text>)re");
    for (auto m = std::sregex_iterator(p.svg.begin(), p.svg.end(), text); m != std::sregex_iterator(); ++m)
        labelled.push_back(std::stod((*m)[1]) + std::stod((*m)[2]));
    ASSERT_EQ(dotYs.size(), 2u);
    ASSERT_EQ(labelled.size(), 2u);
    // 1482 m at 60 km carries 60 · 190 / (2 · 8494.6) km = 671 m of bulge.
    EXPECT_THAT(p.svg, HasSubstr(">60.0 km from station 1, 1482 m + 671 m bulge</text>"));
    // To the 0.1 px of the drawing and the whole metres of the labels.
    const double tolerance = 0.1 * std::abs(axis.metresPerPx) + 1;
    for (std::size_t i = 0; i < 2; ++i) EXPECT_NEAR(axis.at(dotYs[i]), labelled[i], tolerance) << i;
}

TEST(ProfileSvgTest, CaptionInWordsAndTheFresnelClearance) {
    const Picture p = draw(false, 2000);
    EXPECT_THAT(p.svg, HasSubstr("Effective earth radius 8495 km (k-factor 1.33); heights exaggerated "));
    EXPECT_THAT(p.svg, Not(HasSubstr("8494.64543")));
    EXPECT_THAT(p.svg, Not(HasSubstr("Settings:")));
    EXPECT_THAT(p.svg, HasSubstr(">k-factor 1.33, ae 8495 km</text>"));
    EXPECT_THAT(p.svg, HasSubstr("id=\"fresnel-zone\""));
    EXPECT_THAT(p.svg, HasSubstr(">1st Fresnel zone, 2000 MHz</text>"));
    // The ridge at 60 km stands far above the direct line between 30 m masts.
    const auto worst = profile::worstFresnelClearance(p.points, p.settings, 2000);
    ASSERT_TRUE(worst);
    EXPECT_DOUBLE_EQ(worst->distanceKm, 60);
    char expected[160];
    std::snprintf(expected, sizeof expected, "First Fresnel zone at 2000 MHz; worst clearance %.2f radii (%.0f m) at 60.0 km",
                  worst->radii, worst->clearanceM);
    EXPECT_THAT(p.svg, HasSubstr(expected));
    EXPECT_THAT(p.svg, HasSubstr(", the ground above the direct line"));
}

TEST(ProfileSvgTest, WithoutAFrequencyNoZoneAndTheLegendSaysSo) {
    const Picture p = draw(false, std::nullopt);
    EXPECT_THAT(p.svg, Not(HasSubstr("fresnel-zone")));
    EXPECT_THAT(p.svg, HasSubstr("No frequency given: no Fresnel zone drawn"));
    EXPECT_THAT(p.svg, HasSubstr(">No Fresnel zone: no</text>"));
    EXPECT_THAT(p.svg, Not(HasSubstr("worst clearance")));
}

// The right edge of the coastal land's shape, px.
double coastalLandEndPx(const std::string& svg) {
    constexpr std::string_view kStart = "class=\"zone-3\" d=\"";
    const auto at = svg.find(kStart);
    if (at == std::string::npos) return 0;
    const auto from = at + kStart.size();
    const std::string d = svg.substr(from, svg.find('"', from) - from);
    double right = 0;
    const std::regex point(R"re([ML]([0-9.]+) )re");
    for (auto m = std::sregex_iterator(d.begin(), d.end(), point); m != std::sregex_iterator(); ++m)
        right = std::max(right, std::stod((*m)[1]));
    return right;
}

TEST(ProfileSvgTest, GroundShadedByZone) {
    // The column says coastal land ends at 40 km; the heights (sea within
    // 50 km, no higher than 100 m) end its first stretch at the ridge at 60 km.
    // A shape reaches the next zone's first point.
    struct Case {
        bool column;
        std::string_view source;
        double shapeEndKm;
    };
    const Case cases[] = {{true, "(zones: the profile", 40.1}, {false, "(zones: from the heights)", 60}};
    for (const Case& c : cases) {
        const Picture p = draw(c.column, 2000);
        for (const std::string_view row : {">Sea</text>", ">Coastal land</text>", ">Inland</text>"})
            EXPECT_THAT(p.svg, HasSubstr(std::string(row)));
        EXPECT_THAT(p.svg, HasSubstr(std::string(c.source)));
        for (const std::string_view zone : {"class=\"zone-1\"", "class=\"zone-3\"", "class=\"zone-4\""})
            EXPECT_THAT(p.svg, HasSubstr(std::string(zone)));
        // 80 px on the left, 710 px for 250 km.
        EXPECT_NEAR(coastalLandEndPx(p.svg), 80 + 710 * c.shapeEndKm / 250, 0.2) << c.source;
    }
    // All inland: one shape.
    std::vector<profile::ProfilePoint> hills = ridgePath(false);
    for (auto& point : hills) point.heightM += 500;
    const profile::ProfileSettings settings = profile::deriveSettings(hills, 30, 30);
    const std::string svg = profileSvg({hills, settings, PassValues{}, 2000});
    EXPECT_THAT(svg, Not(HasSubstr(">Sea</text>")));
    EXPECT_THAT(svg, Not(HasSubstr("zone-3")));
    EXPECT_THAT(svg, HasSubstr("class=\"zone-4\""));
}

}  // namespace
}  // namespace tropolink
