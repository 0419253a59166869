#include <gtest/gtest.h>

#include <regex>

#include "plan/climate_defaults.h"
#include "plan_report/plan_report.h"
#include "plan_report/report_sections.h"
#include "report_fixture.h"

namespace tropolink {
namespace {

std::string reportOf(const test::ReportFixture& f) {
    return planReportHtml(f.plan, f.result, {"2026-12-09 12:00 UTC", "1.0.0", f.plan.file.string()});
}

std::string between(const std::string& html, std::string_view from, std::string_view to) {
    const std::size_t a = html.find(from);
    if (a == std::string::npos) return {};
    return html.substr(a, html.find(to, a) - a);
}

// One row per zone, its cells the result's availabilities in order, the
// path's own zone marked.
TEST(ReportClimate, TheZoneTableShowsEachZonesAvailability) {
    for (const bool profile : {false, true}) {
        const test::ReportFixture f = profile ? test::profileFixture() : test::settingsFixture();
        const std::string table = between(reportOf(f), "<table class=\"zones\">", "</table>");
        ASSERT_FALSE(table.empty());
        const std::regex row("<tr( class=\"used\")?><th>(\\d), [^<]*</th><td>([^<]*)</td><td>([^<]*)</td></tr>");
        int zone = 0;
        int used = 0;
        for (auto it = std::sregex_iterator(table.begin(), table.end(), row); it != std::sregex_iterator(); ++it) {
            const ZoneAvailability& z = f.result.zoneAvailabilities[static_cast<std::size_t>(zone)];
            ++zone;
            EXPECT_EQ((*it)[2].str(), std::to_string(zone));
            EXPECT_EQ((*it)[3].str(), availabilityText(z.stations[0])) << zone;
            EXPECT_EQ((*it)[4].str(), availabilityText(z.stations[1])) << zone;
            if ((*it)[1].matched) {
                ++used;
                EXPECT_EQ(static_cast<itur::ClimateZone>(zone), f.result.link.climateZone);
            }
        }
        EXPECT_EQ(zone, itur::kClimateZoneCount);
        EXPECT_EQ(used, 1);
    }
}

TEST(ReportClimate, NoZoneTableWithoutARequirement) {
    test::ReportFixture f = test::settingsFixture();
    f.result.zoneAvailabilities.clear();
    EXPECT_EQ(reportOf(f).find("class=\"zones\""), std::string::npos);
}

// Page one names the defaults right after the verdict, and says nothing where
// the plan gave every value.
TEST(ReportClimate, TheDefaultsFollowTheVerdict) {
    test::ReportFixture f = test::profileFixture();
    const std::string html = reportOf(f);
    const std::string after = between(html, "<section id=\"verdict\"", "<section id=\"sites\"");
    EXPECT_NE(after.find("<p class=\"defaults\">\xCE\x94N and the climate zone are defaults"), std::string::npos);
    f.result.plan.availability.deltaNGiven = true;
    f.result.plan.availability.climateZoneGiven = true;
    EXPECT_EQ(reportOf(f).find("class=\"defaults\""), std::string::npos);
}

}  // namespace
}  // namespace tropolink
