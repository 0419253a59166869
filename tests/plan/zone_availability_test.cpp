#include <gtest/gtest.h>

#include <string>

#include "grammar/number_text.h"
#include "plan/climate_defaults.h"
#include "plan/plan_run.h"
#include "plan/plan_toml.h"

namespace tropolink {
namespace {

namespace fs = std::filesystem;

const fs::path kExamples = fs::path(TROPOLINK_SOURCE_DIR) / "docs/examples";

PlanResult run(const std::string& text) {
    return runPlan(checkPlan(parsePlan(text, kExamples / "test.tropolink.toml")), MapsInUse{});
}

const PlanVerdict& verdictOf(const PlanResult& r, itur::ItuMethod method, int station) {
    for (const PlanVerdict& v : r.verdicts)
        if (v.method == method && v.receivingStation == station) return v;
    throw std::logic_error("no verdict");
}

void expectSame(const itur::StationAvailability& a, const itur::StationAvailability& b, const std::string& where) {
    EXPECT_EQ(a.bound, b.bound) << where;
    EXPECT_EQ(a.reason, b.reason) << where;
    EXPECT_EQ(a.percent, b.percent) << where;
    EXPECT_EQ(a.outageMinutesPerYear, b.outageMinutesPerYear) << where;
}

// Each zone's row is what the plan gives with that zone written into [itu],
// on a path the zones spread over the whole range (a bound at some, a
// percentage at others) and with fading within the hour, which the rows leave
// out as the verdict's availability column does.
TEST(ZoneAvailabilityTest, EachRowIsThePlanRunWithThatZone) {
    const std::string cases[] = {
        "[path]\nprofile = \"hill-path.csv\"\n[requirement]\nsnr-db = 10\n",
        "[path]\nprofile = \"hill-path.csv\"\n[requirement]\nsnr-db = 35\n[diversity]\norder = 2\n",
        "[requirement]\nsnr-db = 0\n",
    };
    for (const std::string& base : cases) {
        const PlanResult planned = run(base);
        ASSERT_EQ(planned.zoneAvailabilities.size(), static_cast<std::size_t>(itur::kClimateZoneCount)) << base;
        for (int zone = 1; zone <= itur::kClimateZoneCount; ++zone) {
            const ZoneAvailability& row = planned.zoneAvailabilities[static_cast<std::size_t>(zone - 1)];
            ASSERT_EQ(row.zone, static_cast<itur::ClimateZone>(zone));
            const PlanResult zoned = run(base + "[itu]\nclimate-zone = " + std::to_string(zone) + "\n");
            for (int station = 1; station <= 2; ++station)
                expectSame(row.stations[static_cast<std::size_t>(station - 1)],
                           verdictOf(zoned, row.method, station).availability,
                           base + " zone " + std::to_string(zone) + " station " + std::to_string(station));
        }
    }
}

TEST(ZoneAvailabilityTest, NoneWithoutARequirement) {
    EXPECT_TRUE(run("[path]\nprofile = \"hill-path.csv\"\n").zoneAvailabilities.empty());
}

TEST(ClimateDefaultsTest, NamesTheDefaultsWithTheirValues) {
    struct Case {
        std::string itu;
        std::string sentence;
    };
    const Case cases[] = {
        {"", "\xCE\x94N and the climate zone are defaults, from neither a map nor the plan: \xCE\x94N 40.00 "
             "N-units/km; the climate zone 6 (maritime temperate, over land)."},
        {"[itu]\ndelta-n = 45\n", "The climate zone is a default, from neither a map nor the plan: the climate zone "
                                  "6 (maritime temperate, over land)."},
        {"[itu]\nclimate-zone = 2\n",
         "\xCE\x94N is a default, from neither a map nor the plan: \xCE\x94N 40.00 N-units/km."},
        {"[itu]\nclimate-zone = 2\ndelta-n = 45\n", ""},
    };
    for (const Case& c : cases) {
        const PlanResult r = run("[path]\nprofile = \"hill-path.csv\"\n" + c.itu);
        EXPECT_EQ(climateDefaultsSentence(r), c.sentence) << c.itu;
    }
}

// With sites and no maps every map value is a default, N0 among them.
TEST(ClimateDefaultsTest, WithSitesAndNoMapsAllThreeAreDefaults) {
    const PlanResult r = runPlan(checkPlan(readPlan(kExamples / "white-mountains.tropolink.toml")), MapsInUse{});
    EXPECT_EQ(climateDefaultsSentence(r),
              "N0, \xCE\x94N and the climate zone are defaults, from neither a map nor the plan: N0 " +
                  fixedText(r.climate->n0.value, 1) + " N-units; \xCE\x94N " + fixedText(r.climate->deltaN.value, 2) +
                  " N-units/km; the climate zone 6 (maritime temperate, over land).");
}

}  // namespace
}  // namespace tropolink
