#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "climate/map_set.h"
#include "plan/plan_json.h"
#include "plan/plan_run.h"
#include "plan/plan_toml.h"
#include "tests/climate/synthetic_itu_maps.h"

namespace tropolink {
namespace {

namespace fs = std::filesystem;
using testing::HasSubstr;

const fs::path kExamples = fs::path(TROPOLINK_SOURCE_DIR) / "docs/examples";

PlanResult run(const std::string& text, const fs::path& file = kExamples / "test.tropolink.toml",
               const PlanRunControl& control = {}) {
    return runPlan(checkPlan(parsePlan(text, file)), MapsInUse{}, control);
}

const PlanVerdict& verdictOf(const PlanResult& r, itur::ItuMethod method, int station) {
    for (const PlanVerdict& v : r.verdicts)
        if (v.method == method && v.receivingStation == station) return v;
    throw std::logic_error("no verdict");
}

TEST(PlanRunTest, TheDemExampleMeetsTheRequirementByOneMethodOnly) {
    const PlanResult r = runPlan(checkPlan(readPlan(kExamples / "white-mountains.tropolink.toml")), MapsInUse{});
    ASSERT_EQ(r.verdicts.size(), 6u);  // the complete P.2001's rows, without its maps, first
    EXPECT_FALSE(r.verdicts[0].applies);
    const PlanVerdict& p617 = verdictOf(r, itur::ItuMethod::P617, 2);
    const PlanVerdict& p2001 = verdictOf(r, itur::ItuMethod::P2001, 1);
    EXPECT_TRUE(p617.met);
    EXPECT_GT(*p617.availability.percent, 99.9);
    EXPECT_FALSE(p2001.met);
    EXPECT_LT(*p2001.availability.percent, 99.9);
    EXPECT_TRUE(r.placed && r.places && r.climate && r.derived);
    EXPECT_EQ(r.boxes[0], " 1927");  // the summit's ground and its 20 m mast
}

TEST(PlanRunTest, WithTheThreeMapsOnlyANoteSaysTheCompleteMethodNeedsTheRest) {
    const climate::testing::ScratchDir dir;
    climate::testing::writeTroposcatterMaps(dir.path());
    const CheckedPlan plan = checkPlan(readPlan(kExamples / "white-mountains.tropolink.toml"));
    const auto withMaps = [&] {
        return runPlan(plan, std::make_shared<const climate::MapSet>(
                                 climate::readMapSet(climate::MapSetId::Climate, dir.path())));
    };
    const std::string note = "the complete P.2001 method needs 14 ITU-R maps, of which " + dir.path().string() +
                             " lacks 13 (install them with: tropolink-cli maps download, or maps import ZIP)";
    const PlanResult three = withMaps();
    EXPECT_EQ(std::count(three.notes.begin(), three.notes.end(), note), 1);
    EXPECT_THAT(runPlan(plan, MapsInUse{}).notes, testing::Not(testing::Contains(HasSubstr("complete P.2001"))));
    climate::testing::writeP2001AllMaps(dir.path());
    const PlanResult all = withMaps();
    EXPECT_THAT(all.notes, testing::Not(testing::Contains(HasSubstr("complete P.2001"))));
    EXPECT_EQ(all.notes.size() + 1, three.notes.size());
}

TEST(PlanRunTest, TheVerdictComparesReachedWithRequiredAtTheBoundary) {
    const std::string base = "[path]\nprofile = \"hill-path.csv\"\n[requirement]\nsnr-db = 10\n";
    const PlanResult reached = run(base);
    const double percent = *verdictOf(reached, itur::ItuMethod::P617, 1).availability.percent;
    // The same availability required: met; a hair more: not met.
    const auto required = [&](double p) {
        std::string text = base + "availability-percent = " + std::to_string(p) + "\n";
        return verdictOf(run(text), itur::ItuMethod::P617, 1).met;
    };
    const double below = std::floor(percent * 1e6) / 1e6;
    EXPECT_TRUE(required(below));
    EXPECT_FALSE(required(below + 2e-6));
}

// The verdict with [diversity] compares the availability with fading and the
// diversity against the requirement, on both sides of it.
TEST(PlanRunTest, DiversityDecidesTheVerdictAtTheBoundary) {
    const std::string base = "[path]\ndistance-km = 300\n[requirement]\nsnr-db = 10\n";
    const PlanResult today = run(base);
    const PlanResult dual = run(base + "[diversity]\norder = 2\ncombiner = \"maximal-ratio\"\n");
    ASSERT_EQ(dual.verdicts.size(), 4u);
    for (std::size_t i = 0; i < dual.verdicts.size(); ++i) {
        const PlanVerdict& v = dual.verdicts[i];
        EXPECT_FALSE(today.verdicts[i].withDiversity);
        ASSERT_TRUE(v.withDiversity);
        EXPECT_EQ(v.availability.percent, today.verdicts[i].availability.percent);  // hourly median only, as today
        const double reached = v.withDiversity->percent;
        for (const double required : {reached - 1e-6, reached, reached + 1e-6}) {
            const PlanResult r = run(base + "availability-percent = " + std::to_string(required).substr(0, 12) +
                                     "\n[diversity]\norder = 2\ncombiner = \"maximal-ratio\"\n");
            const PlanVerdict& at = r.verdicts[i];
            EXPECT_EQ(at.met, at.withDiversity->percent >= r.plan.requiredAvailabilityPercent);
        }
    }
    const PlanResult quad = run(base + "[diversity]\norder = 4\ncombiner = \"maximal-ratio\"\n");
    EXPECT_GT(quad.verdicts[0].withDiversity->percent, dual.verdicts[0].withDiversity->percent);
    EXPECT_TRUE(dual.availability.p617.fading->atRequiredPercent);
    EXPECT_EQ(dual.availability.p617.fading->atRequiredPercent->percent, 99.9);
}

// Without [diversity] the verdict stays on the hourly median, and the notes
// give what [diversity] order = 1 would decide, on both sides of the boundary.
TEST(PlanRunTest, WithoutDiversityTheNotesSayWhatFadingAloneWouldDecide) {
    const std::string base = "[path]\ndistance-km = 300\n[requirement]\nsnr-db = 10\n";
    const std::string one = "[diversity]\norder = 1\n";
    const double reached = run(base + one).verdicts[0].withDiversity->percent;
    for (const double required : {reached - 1e-6, reached + 1e-6, 99.9}) {
        const std::string text = base + "availability-percent = " + std::to_string(required).substr(0, 12) + "\n";
        const PlanResult alone = run(text);
        const PlanResult faded = run(text + one);
        ASSERT_TRUE(alone.fadingAlone && alone.decision && faded.decision);
        EXPECT_FALSE(faded.fadingAlone);
        EXPECT_FALSE(alone.verdicts[0].withDiversity);
        EXPECT_EQ(alone.fadingAlone->verdictMet, faded.decision->met) << required;
        ASSERT_EQ(alone.fadingAlone->methods.size(), 2u);
        for (const OneReceiverFading& m : alone.fadingAlone->methods) {
            const itur::MethodFading& f = *itur::methodAnswer(faded.availability, m.method).fading;
            for (std::size_t i = 0; i < 2; ++i) {
                ASSERT_TRUE(m.stations[i]);
                EXPECT_EQ(m.stations[i]->marginNeededDb, f.atRequiredPercent->oneReceiverDb);
                EXPECT_EQ(m.stations[i]->fading.oneReceiver.percent, (*f.stations)[i].withDiversity.percent);
            }
        }
        // Only new lines: the validity notes stay, the JSON gains a key.
        for (const std::string& note : alone.notes) EXPECT_THAT(faded.notes, testing::Contains(note));
        std::string json;
        appendPlanJson(json, parsePlan(text, kExamples / "t.tropolink.toml"), alone);
        EXPECT_THAT(json, HasSubstr(std::string(R"("fadingWithoutDiversity":{"verdictMet":)") +
                                    (*alone.fadingAlone->verdictMet ? "true" : "false")));
        const std::vector<std::string> shown = alone.shownNotes();
        ASSERT_EQ(shown.size(), alone.notes.size() + 3);
        EXPECT_THAT(shown[alone.notes.size()], HasSubstr(*alone.fadingAlone->verdictMet ? "would make it met"
                                                                                        : "would make it NOT MET"));
    }
    EXPECT_FALSE(run("[path]\ndistance-km = 300\n").fadingAlone);  // no required S/N: no verdict to change
}

// The chart's curves: none without [diversity]; with it each rises with the
// margin, the diversity above one receiver, and the diversity curve crosses
// the required availability where the margin table says it does.
TEST(PlanRunTest, FadingCurvesCrossTheRequirementAtTheNeededMargin) {
    const std::string base = "[path]\ndistance-km = 300\n[requirement]\nsnr-db = 10\n";
    EXPECT_TRUE(run(base).fadingCurves.empty());
    for (const std::string diversity : {"order = 1", "order = 2\ncombiner = \"maximal-ratio\"", "order = 4"}) {
        const PlanResult r = run(base + "[diversity]\n" + diversity + "\n");
        ASSERT_EQ(r.fadingCurves.size(), 2u) << diversity;
        for (const FadingCurve& c : r.fadingCurves) {
            ASSERT_EQ(c.oneReceiver.size(), c.withDiversity.size());
            ASSERT_GT(c.oneReceiver.size(), 100u);
            EXPECT_EQ(c.oneReceiver.front().marginDb, kFadingCurveLoDb);
            EXPECT_EQ(c.oneReceiver.back().marginDb, kFadingCurveHiDb);
            const itur::RequiredMargins& needed = *itur::methodAnswer(r.availability, c.method).fading->atRequiredPercent;
            for (std::size_t i = 0; i < c.oneReceiver.size(); ++i) {
                EXPECT_GE(c.withDiversity[i].availabilityPercent, c.oneReceiver[i].availabilityPercent);
                if (i == 0) continue;
                EXPECT_GE(c.oneReceiver[i].availabilityPercent, c.oneReceiver[i - 1].availabilityPercent);
                const MarginPoint &before = c.withDiversity[i - 1], &after = c.withDiversity[i];
                const bool crosses = before.availabilityPercent < 99.9 && after.availabilityPercent >= 99.9;
                EXPECT_EQ(crosses, needed.withDiversityDb > before.marginDb && needed.withDiversityDb <= after.marginDb)
                    << diversity << " at " << after.marginDb << " dB";
            }
        }
    }
}

TEST(PlanRunTest, AboveTheHighestPercentIsMet) {
    const PlanResult r = run("[requirement]\nsnr-db = -50\navailability-percent = 99.9999\n");
    for (const PlanVerdict& v : r.verdicts) {
        EXPECT_EQ(v.availability.bound, itur::AvailabilityBound::Above);
        EXPECT_TRUE(v.met);
    }
}

TEST(PlanRunTest, WithoutARequiredSnrThereIsNoVerdict) {
    const PlanResult r = run("[path]\ndistance-km = 300\n");
    EXPECT_TRUE(r.verdicts.empty());
    EXPECT_FALSE(r.derived);
    EXPECT_EQ(r.settingsLine, "distance-km=300");
    EXPECT_EQ(r.availability.p617.rows.size(), 5u);
}

TEST(PlanRunTest, NotesNameTheDefaultsAndTheLowPercentages) {
    const PlanResult r = run("[requirement]\npercent = [1, 50]\n");
    EXPECT_THAT(r.notes, testing::Contains(HasSubstr("Below 10 %")));
    EXPECT_THAT(r.notes, testing::Contains(HasSubstr("Without sites no map is read")));
    const PlanResult given = run("[itu]\nn0 = 320\ndelta-n = 45\nclimate-zone = 2\n");
    EXPECT_THAT(given.notes, testing::Not(testing::Contains(HasSubstr("no map"))));
}

TEST(PlanRunTest, ALineOfSightPathIsNotMetAndSaysWhy) {
    const PlanResult r = run("[path]\ndistance-km = 10\n[requirement]\nsnr-db = 10\n");
    ASSERT_EQ(r.verdicts.size(), 4u);
    for (const PlanVerdict& v : r.verdicts) EXPECT_FALSE(v.met);
    EXPECT_THAT(r.notes, testing::Contains(HasSubstr("line of sight")));
}

TEST(PlanRunTest, AProfileWithABadRowNamesTheFileAndRow) {
    const fs::path dir = fs::temp_directory_path() / ("tropolink-plan-run-" + std::to_string(::getpid()));
    fs::create_directories(dir);
    std::ofstream(dir / "bad.csv") << "0,100\n1,abc\n2,100\n";
    try {
        run("[path]\nprofile = \"bad.csv\"\n", dir / "p.tropolink.toml");
        FAIL();
    } catch (const GroundError& e) {
        EXPECT_THAT(e.what(), HasSubstr("bad.csv"));
        EXPECT_THAT(e.what(), HasSubstr("row 2"));
    }
    fs::remove_all(dir);
}

TEST(PlanRunTest, StagesAreReportedAndAStopEndsTheRun) {
    std::vector<std::string> stages;
    PlanRunControl control;
    control.progress = [&stages](std::string_view stage) { stages.emplace_back(stage); };
    run("[path]\nprofile = \"hill-path.csv\"\n", kExamples / "t.tropolink.toml", control);
    EXPECT_EQ(stages, (std::vector<std::string>{"terrain", "pass", "methods"}));
    const std::atomic<bool> stop{true};
    control.stop = &stop;
    EXPECT_THROW(run("", kExamples / "t.tropolink.toml", control), PlanCancelled);
}

}  // namespace
}  // namespace tropolink
