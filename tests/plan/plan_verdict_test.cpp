#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <filesystem>
#include <string>

#include "climate/map_set.h"
#include "itur/short_term_outage.h"
#include "itur/yearly_outage.h"
#include "plan/plan_json.h"
#include "plan/plan_run.h"
#include "plan/plan_toml.h"
#include "tests/climate/synthetic_itu_maps.h"

namespace tropolink {
namespace {

namespace fs = std::filesystem;
using testing::HasSubstr;

const fs::path kExamples = fs::path(TROPOLINK_SOURCE_DIR) / "docs/examples";

// Mount Washington to a valley 13 km west of it, in sight of the summit.
const std::string kLineOfSight = R"(
[station1]
name = "Summit"
site = [44.2706, -71.3033]
mast-m = 20
antenna-gain-dbi = 30
rx-bandwidth-hz = 3000
[station2]
name = "Valley"
site = [44.36, -71.40]
mast-m = 30
antenna-gain-dbi = 30
rx-bandwidth-hz = 3000
[path]
frequency-mhz = 900
dem = ["white-mountains.tif"]
fill-voids = true
[requirement]
snr-db = 10
)";

class PlanVerdictTest : public testing::Test {
protected:
    void SetUp() override {
        climate::testing::writeAllMaps(dir_.path());
        climate::testing::writeTroposcatterMaps(dir_.path() / "three");
    }

    PlanMaps allMaps() const {
        return {std::make_shared<const climate::MapSet>(climate::readMapSet(climate::MapSetId::Climate, dir_.path())),
                std::make_shared<const climate::MapSet>(climate::readMapSet(climate::MapSetId::P2001All, dir_.path())),
                {dir_.path()}};
    }
    PlanMaps climateOnly() const {
        const fs::path three = dir_.path() / "three";
        return {std::make_shared<const climate::MapSet>(climate::readMapSet(climate::MapSetId::Climate, three)),
                nullptr,
                {three}};
    }
    static PlanResult run(const std::string& text, const PlanMaps& maps) {
        return runPlanWithMaps(checkPlan(parsePlan(text, kExamples / "t.tropolink.toml")), maps);
    }
    static std::string text(const PlanResult& r) {
        std::string out;
        appendPlanText(out, r);
        return out;
    }

    climate::testing::ScratchDir dir_;
};

TEST_F(PlanVerdictTest, OnALineOfSightPathTheCompleteMethodDecidesAndTheOthersDoNotApply) {
    const PlanResult r = run(kLineOfSight, allMaps());
    ASSERT_TRUE(r.mechanisms.ran());
    ASSERT_TRUE(r.decision);
    EXPECT_EQ(r.decision->method, itur::ItuMethod::P2001All);
    EXPECT_TRUE(r.decision->applies);
    EXPECT_TRUE(r.decision->met);
    EXPECT_THAT(r.decision->firstLine, HasSubstr("decided by P.2001 all mechanisms"));
    ASSERT_TRUE(r.decision->mechanism);
    EXPECT_THAT(r.decision->firstLine, HasSubstr(std::string(p2001::mechanismName(r.decision->mechanism->first))));
    ASSERT_EQ(r.verdicts.size(), 6u);
    for (std::size_t i = 0; i < r.verdicts.size(); ++i) {
        const PlanVerdict& v = r.verdicts[i];
        SCOPED_TRACE(i);
        EXPECT_EQ(v.method == itur::ItuMethod::P2001All, i < 2);  // the complete method first
        EXPECT_EQ(v.applies, i < 2);
        if (!v.applies) {
            EXPECT_FALSE(v.met);
            EXPECT_THAT(v.reason, HasSubstr("line of sight"));
        }
    }
    const std::string out = text(r);
    EXPECT_THAT(out, HasSubstr("P.617, received at Valley: does not apply: the path is line of sight"));
    EXPECT_THAT(out, testing::Not(HasSubstr("NOT MET")));
    std::string json;
    appendPlanJson(json, parsePlan(kLineOfSight, kExamples / "t.tropolink.toml"), r);
    EXPECT_THAT(json, HasSubstr(R"("applies":false,"reason":"the path is line of sight)"));
    EXPECT_THAT(json, HasSubstr(R"("p2001All":{"ran":true)"));
}

TEST_F(PlanVerdictTest, OnALineOfSightPathWithoutTheMapsTheVerdictSaysHowToInstallThem) {
    const PlanResult r = run(kLineOfSight, climateOnly());
    EXPECT_EQ(r.mechanisms.skip, MechanismSkip::NoMaps);
    ASSERT_TRUE(r.decision);
    EXPECT_FALSE(r.decision->applies);
    EXPECT_FALSE(r.decision->met);
    EXPECT_THAT(r.decision->firstLine, HasSubstr("no verdict"));
    EXPECT_THAT(r.decision->sentences,
                testing::Contains(AllOf(HasSubstr("needs its 14 ITU-R maps"), HasSubstr("maps download"))));
    for (const PlanVerdict& v : r.verdicts) EXPECT_FALSE(v.applies);
    const std::string out = text(r);
    EXPECT_THAT(out, HasSubstr("P.2001 all mechanisms: left out, its 14 maps are not installed"));
    EXPECT_THAT(out, testing::Not(HasSubstr("NOT MET")));
    // The one line on how to install them, in the notes.
    EXPECT_THAT(r.notes, testing::Contains(HasSubstr("lacks 13 (install them with")));
    std::string json;
    appendPlanJson(json, parsePlan(kLineOfSight, kExamples / "t.tropolink.toml"), r);
    EXPECT_THAT(json, HasSubstr(R"("skipped":"noMaps","reason":"the complete P.2001 method needs its 14 ITU-R maps)"));
}

TEST_F(PlanVerdictTest, TheWhiteMountainsVerdictNamesTheMechanismThatCarriesTheSignal) {
    const CheckedPlan plan = checkPlan(readPlan(kExamples / "white-mountains.tropolink.toml"));
    const PlanResult r = runPlanWithMaps(plan, allMaps());
    ASSERT_TRUE(r.decision && r.decision->mechanism);
    EXPECT_EQ(r.decision->mechanism->first, p2001::Mechanism::NearSurface);
    EXPECT_THAT(r.decision->sentences, testing::Contains(HasSubstr("another mechanism carries the signal")));
    // The maps' values are the defaults' own, yet they came from maps: no default to report.
    EXPECT_FALSE(r.decision->defaults.any());
    ASSERT_EQ(r.mechanisms.stations.size(), 2u);
    for (const MechanismStation& s : r.mechanisms.stations) {
        EXPECT_EQ(s.atPercents.size(), plan.availability.percents.size());
        EXPECT_EQ(s.overYear.size(), static_cast<std::size_t>(kYearCurvePoints));
        EXPECT_EQ(s.mapValues.size(), r.mechanisms.stations[0].mapValues.size());
        ASSERT_TRUE(s.atRequired);
        EXPECT_EQ(s.atRequired->percent, 99.9);
    }

    const PlanResult without = runPlan(plan, MapsInUse{});
    ASSERT_TRUE(without.decision);
    EXPECT_EQ(without.decision->method, itur::ItuMethod::P2001);  // the more cautious, here not met
    EXPECT_FALSE(without.decision->met);
    EXPECT_THAT(without.decision->firstLine, HasSubstr("the more cautious of the troposcatter methods"));
    EXPECT_TRUE(without.decision->defaults.n0 && without.decision->defaults.deltaN &&
                without.decision->defaults.climateZone);
    EXPECT_THAT(without.decision->sentences,
                testing::Contains(HasSubstr("N0, delta-N and the climate zone are defaults")));
}

TEST_F(PlanVerdictTest, AProfileWithoutSitesSaysOnceThatTheMethodNeedsThem) {
    const PlanResult r = run("[path]\nprofile = \"hill-path.csv\"\n[requirement]\nsnr-db = 10\n", allMaps());
    EXPECT_EQ(r.mechanisms.skip, MechanismSkip::NoSites);
    for (const PlanVerdict& v : r.verdicts) EXPECT_NE(v.method, itur::ItuMethod::P2001All);
    const std::string out = text(r);
    const std::string said = "needs the ends' coordinates";
    ASSERT_NE(out.find(said), std::string::npos);
    EXPECT_EQ(out.find(said, out.find(said) + 1), std::string::npos);
}

TEST_F(PlanVerdictTest, BothDirectionsRunWithTheirOwnMapLookups) {
    const PlanResult r = run(kLineOfSight, allMaps());
    ASSERT_EQ(r.mechanisms.stations.size(), 2u);
    const MechanismStation& at1 = r.mechanisms.stations[0];
    const MechanismStation& at2 = r.mechanisms.stations[1];
    EXPECT_EQ(at1.receivingStation, 1);
    EXPECT_EQ(at2.receivingStation, 2);
    // Reception at station 1: station 2 transmits, so the transmitter's water vapour is read at station 2.
    const auto txPoint = [](const MechanismStation& s) {
        for (const P2001MapValue& v : s.mapValues)
            if (v.site == p2001::MapSite::Tx) return v.at;
        return p2001::GeoPoint{};
    };
    EXPECT_NEAR(txPoint(at2).latDeg, 44.2706, 1e-9);
    EXPECT_NEAR(txPoint(at1).latDeg, 44.36, 1e-9);
}

// A 300 km hop with a hill near each end, where troposcatter carries the
// complete method's signal at 99.9 %.
const std::string kLongHop = R"(
[station1]
name = "West"
site = [45.0, 7.0]
mast-m = 20
antenna-gain-dbi = 35
tx-power = 1000
rx-bandwidth-hz = 3000
[station2]
name = "East"
site = [45.0, 10.8]
mast-m = 20
antenna-gain-dbi = 35
tx-power = 1000
rx-bandwidth-hz = 3000
[path]
frequency-mhz = 2000
profile = "long.csv"
[requirement]
snr-db = 10
)";
const std::string kDual = "[diversity]\norder = 2\ncombiner = \"maximal-ratio\"\n";

class CompleteMethodFadingTest : public PlanVerdictTest {
protected:
    void SetUp() override {
        PlanVerdictTest::SetUp();
        std::ofstream csv(dir_.path() / "long.csv");
        csv << "distance_km,height_m\n";
        for (int i = 0; i <= 600; ++i) {
            const double d = 0.5 * i;
            csv << d << "," << 200 + 300 * std::exp(-std::pow((d - 15) / 5, 2)) + 300 * std::exp(-std::pow((d - 285) / 5, 2))
                << "\n";
        }
    }
    PlanResult longHop(const std::string& extra) const {
        return runPlanWithMaps(checkPlan(parsePlan(kLongHop + extra, dir_.path() / "t.tropolink.toml")), allMaps());
    }
    PlanResult whiteMountains(const std::string& extra) const {
        const std::string text = readPlan(kExamples / "white-mountains.tropolink.toml").source + extra;
        return runPlanWithMaps(checkPlan(parsePlan(text, kExamples / "t.tropolink.toml")), allMaps());
    }
};

// Rayleigh fading within the hour is troposcatter's: the complete method
// takes it, in each direction, exactly where troposcatter decides its loss at
// the required percentage; elsewhere its verdict stays on the hourly median.
TEST_F(CompleteMethodFadingTest, FadingAppliesOnlyWhereTroposcatterDecides) {
    struct Case {
        std::string name;
        PlanResult hourly, dual;
    };
    const Case cases[] = {{"long hop", longHop(""), longHop(kDual)},
                          {"white mountains", whiteMountains(""), whiteMountains(kDual)}};
    for (const Case& c : cases) {
        ASSERT_TRUE(c.dual.mechanisms.ran()) << c.name;
        ASSERT_TRUE(c.dual.decision && c.hourly.decision) << c.name;
        EXPECT_EQ(c.dual.decision->method, itur::ItuMethod::P2001All) << c.name;
        bool met = true;
        for (const MechanismStation& s : c.dual.mechanisms.stations) {
            const bool troposcatter = s.atRequired->deciding.first == p2001::Mechanism::Troposcatter;
            EXPECT_EQ(s.fading.has_value(), troposcatter) << c.name;
            const PlanVerdict& v = c.dual.verdicts[static_cast<std::size_t>(s.receivingStation - 1)];
            const PlanVerdict& today = c.hourly.verdicts[static_cast<std::size_t>(s.receivingStation - 1)];
            ASSERT_EQ(v.method, itur::ItuMethod::P2001All);
            EXPECT_EQ(v.availability.percent, today.availability.percent) << c.name;  // hourly median only, as today
            EXPECT_EQ(v.withDiversity.has_value(), troposcatter) << c.name;
            EXPECT_EQ(v.met, troposcatter ? v.withDiversity->percent >= 99.9 : today.met) << c.name;
            met = met && v.met;
            const std::string note = "P.2001 all mechanisms received at " +
                                     (s.receivingStation == 1 ? c.dual.plan.station1.name : c.dual.plan.station2.name) +
                                     ": at 99.9 % of the year";
            EXPECT_EQ(std::count_if(c.dual.notes.begin(), c.dual.notes.end(),
                                    [&](const std::string& n) { return n.starts_with(note); }),
                      troposcatter ? 0 : 1)
                << c.name;
            if (troposcatter) {
                EXPECT_GT(s.fading->withDiversity.percent, s.fading->oneReceiver.percent);
            }
        }
        EXPECT_EQ(c.dual.decision->met, met) << c.name;
    }
    EXPECT_EQ(cases[0].dual.mechanisms.stations[0].atRequired->deciding.first, p2001::Mechanism::Troposcatter);
    EXPECT_NE(cases[1].dual.mechanisms.stations[0].atRequired->deciding.first, p2001::Mechanism::Troposcatter);
}

// The yearly integral over the complete method's own Lb, against a dense
// trapezoid sum over its rows at 1200 percentages, evenly in the normal deviate.
TEST_F(CompleteMethodFadingTest, TheYearlyOutageIsTheSumOverItsOwnLoss) {
    std::vector<double> p;
    const double zLow = itur::normalDeviate(itur::kLowestPercent / 100);
    for (int i = 0; i <= 1200; ++i) {
        const double z = zLow - 2 * zLow * i / 1200;
        p.push_back(100 * 0.5 * std::erfc(-z / std::sqrt(2.0)));
    }
    // More percentages than a plan file takes.
    CheckedPlan plan = checkPlan(parsePlan(kLongHop, dir_.path() / "t.tropolink.toml"));
    plan.availability.percents = {50};
    plan.availability.percents.insert(plan.availability.percents.end(), p.begin(), p.end());
    const PlanResult r = runPlanWithMaps(plan, allMaps());
    ASSERT_TRUE(r.fadingAlone);
    for (const MechanismStation& s : r.mechanisms.stations) {
        ASSERT_TRUE(s.fading);
        const double median = s.atPercents[0].lbDb;
        const auto q = [&](std::size_t i) {
            return itur::shortTermOutage(s.fading->medianMarginDb - (s.atPercents[i + 1].lbDb - median), {});
        };
        double outage = p.front() / 100 * q(0) + (1 - p.back() / 100) * q(p.size() - 1);
        for (std::size_t i = 1; i < p.size(); ++i) outage += (p[i] - p[i - 1]) / 100 * (q(i) + q(i - 1)) / 2;
        EXPECT_NEAR(s.fading->oneReceiver.percent, 100 * (1 - outage), 100 * outage * 1e-4) << s.receivingStation;
    }
}

// Without [diversity] the notes say what fading would make of the complete
// method's verdict: as [diversity] order = 1 decides where troposcatter
// decides, and that it stays as it is where another mechanism does.
TEST_F(CompleteMethodFadingTest, FadingAloneFollowsTheMechanismThatDecides) {
    const PlanResult hop = longHop("");
    ASSERT_TRUE(hop.fadingAlone && hop.fadingAlone->verdictMet);
    EXPECT_EQ(*hop.fadingAlone->verdictMet, longHop("[diversity]\norder = 1\n").decision->met);
    EXPECT_EQ(hop.fadingAlone->methods.front().method, itur::ItuMethod::P2001All);
    const PlanResult mountains = whiteMountains("");
    ASSERT_TRUE(mountains.fadingAlone);
    EXPECT_FALSE(mountains.fadingAlone->verdictMet);
    EXPECT_THAT(mountains.fadingAlone->notes.front(), HasSubstr("would leave this verdict as it is"));
    for (const OneReceiverFading& m : mountains.fadingAlone->methods) EXPECT_NE(m.method, itur::ItuMethod::P2001All);
}

struct PolarisationCase {
    std::string path;
    std::string refusal;  // empty: accepted
};

TEST(PlanPolarisationTest, TheKeyTakesTwoWordsAndNeedsSites) {
    const std::string sites = "[station1]\nsite = [44.27, -71.30]\n[station2]\nsite = [44.9, -71.9]\n";
    const PolarisationCase cases[] = {
        {sites + "[path]\ndem = [\"white-mountains.tif\"]\npolarisation = \"horizontal\"\n", ""},
        {sites + "[path]\ndem = [\"white-mountains.tif\"]\npolarisation = \"vertical\"\n", ""},
        {sites + "[path]\ndem = [\"white-mountains.tif\"]\npolarisation = \"Vertical\"\n",
         "path.polarisation: not a polarisation: Vertical (allowed: \"vertical\" or \"horizontal\")"},
        {sites + "[path]\ndem = [\"white-mountains.tif\"]\npolarisation = \"circular\"\n", "not a polarisation"},
        {sites + "[path]\ndem = [\"white-mountains.tif\"]\npolarisation = \"\"\n", "not a polarisation"},
        {"[path]\nprofile = \"hill-path.csv\"\npolarisation = \"vertical\"\n", "path.polarisation: given without sites"},
        {"[path]\npolarisation = \"horizontal\"\n", "given without sites"},
        {sites + "[path]\ndem = [\"white-mountains.tif\"]\npolarisation = 1\n", "polarisation"},
    };
    for (const PolarisationCase& c : cases) {
        SCOPED_TRACE(c.path);
        if (c.refusal.empty()) {
            const CheckedPlan plan = checkPlan(parsePlan(c.path, kExamples / "t.tropolink.toml"));
            EXPECT_EQ(plan.polarisation, c.path.find("horizontal") != std::string::npos
                                             ? p2001::Polarisation::Horizontal
                                             : p2001::Polarisation::Vertical);
            // The canonical writer keeps it.
            EXPECT_THAT(planToml(parsePlan(c.path, kExamples / "t.tropolink.toml")), HasSubstr("polarisation = "));
        } else {
            try {
                checkPlan(parsePlan(c.path, kExamples / "t.tropolink.toml"));
                ADD_FAILURE() << "accepted";
            } catch (const PlanError& e) {
                EXPECT_THAT(e.what(), HasSubstr(c.refusal));
            }
        }
    }
}

}  // namespace
}  // namespace tropolink
