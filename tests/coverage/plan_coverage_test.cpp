// A map made with a plan: in random cells, the S/N margin the band holds is
// the one the plan itself gives with its station 2 moved to the cell's
// centre, through the plan's own run, at every percentage; and what the plan
// states is kept against the values given beside it.
#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <fstream>
#include <functional>
#include <random>

#include "climate/synthetic_maps.h"
#include "coverage/coverage_run.h"
#include "coverage/plan_coverage.h"
#include "coverage_fixtures.h"
#include "grammar/input_error.h"
#include "plan/plan_run.h"
#include "plan/plan_toml.h"

namespace tropolink::coverage {
namespace {

using namespace testing_support;

constexpr double kRequiredSnrDb = 12;

std::string shortest(double value) {
    char text[32];
    return std::string(text, std::to_chars(text, text + sizeof text, value).ptr);
}

class PlanCoverageTest : public ::testing::Test {
protected:
    PlanCoverageTest() {
        climate::writeSyntheticMaps(maps.path(), climate::kMapKinds, climate::SyntheticFill::Varied);
        std::ofstream(file) << "[station1]\nsite = [44.5, -71.5]\nmast-m = 30\ntx-power = 500\n"
                               "tx-line-loss-db = 1.5\nantenna-gain-dbi = 35\n"
                               "[station2]\nsite = [44.6, -71.6]\nmast-m = 12\nrx-noise-figure-db = 3\n"
                               "rx-line-loss-db = 1\nantenna-gain-dbi = 28\nrx-bandwidth-hz = 3000\n"
                               "[path]\nfrequency-mhz = 2000\npolarisation = \"horizontal\"\ndem = [\""
                            << tiles.paths[0]
                            << "\"]\n[requirement]\nsnr-db = 12\navailability-percent = 99.9\npercent = [50, 99]\n";
    }

    Tiles tiles;
    TempDir maps;
    TempDir dir;
    std::string file = (dir.path() / "link.tropolink.toml").string();
};

// The plan's own margin at the map's bands (its percentages, then its
// availability percentage) with station 2 at `cell`.
std::vector<double> planMargins(const std::string& file, terrain::Site cell, MethodChoice method,
                                const std::filesystem::path& maps) {
    Plan plan = readPlan(file);
    plan.station2.site = std::array{PlanText{shortest(cell.latDeg), {}}, PlanText{shortest(cell.lonDeg), {}}};
    const PlanResult r = runPlanWithMaps(checkPlan(plan), findPlanMaps(maps));
    std::vector<double> losses;
    if (method == MethodChoice::P2001All) {
        const MechanismStation& at2 = r.mechanisms.stations.at(1);
        for (const MechanismLosses& l : at2.atPercents) losses.push_back(l.lbDb);
        losses.push_back(at2.atRequired.value().lbDb);
    } else {
        const itur::ItuMethod itu = method == MethodChoice::P617 ? itur::ItuMethod::P617 : itur::ItuMethod::P2001;
        for (const double p : {50.0, 99.0, 99.9}) losses.push_back(itur::methodLoss(itu, r.link, p).value().value());
    }
    std::vector<double> margins;
    for (const double loss : losses) margins.push_back(itur::snrAtStation2(r.budget, loss) - kRequiredSnrDb);
    return margins;
}

TEST_F(PlanCoverageTest, EachCellHoldsThePlansMarginWithStation2There) {
    for (const MethodChoice method : {MethodChoice::P2001All, MethodChoice::P617, MethodChoice::P2001Troposcatter}) {
        SCOPED_TRACE(std::string(methodName(method)));
        const PlanCoverage plan = readPlanCoverage(file, "--plan");
        CoverageRequest given;
        given.grid.radiusKm = 12;
        given.grid.cellM = 1500;
        given.method = method;
        const CoverageRequest request = withPlan(plan, given, false, {});
        ASSERT_EQ(request.percents, (std::vector<double>{50, 99, 99.9}));
        const PreparedCoverage prepared = prepareCoverage(request, findCoverageMaps(method, maps.path()));
        const CoverageSetup& setup = prepared.setup;
        const int cols = setup.grid.cols();
        std::vector<float> cells(setup.grid.cellCount() * 3);
        const CoverageSummary summary =
            computeCoverage(setup, {.jobs = 2}, [&](int first, int, std::span<const float> rows) {
                std::copy(rows.begin(), rows.end(), cells.begin() + static_cast<std::ptrdiff_t>(first) * cols * 3);
            });
        ASSERT_GT(summary.counts[CellKind::Computed], 100u);

        std::mt19937 random(36);
        std::uniform_int_distribution<int> rowOf(0, setup.grid.rows() - 1), colOf(0, cols - 1);
        for (int checked = 0; checked < 5;) {
            const int row = rowOf(random), col = colOf(random);
            const float* values = &cells[(static_cast<std::size_t>(row) * cols + col) * 3];
            if (std::isnan(values[0])) continue;
            const std::vector<double> margins = planMargins(file, setup.grid.cellCentre(row, col), method, maps.path());
            for (std::size_t b = 0; b < 3; ++b)
                EXPECT_EQ(values[b], static_cast<float>(margins[b])) << "cell " << row << "," << col << " band " << b;
            ++checked;
        }
    }
}

}  // namespace
}  // namespace tropolink::coverage

namespace tropolink::coverage {
namespace {

using namespace testing_support;

// The plan's own values, given beside it, are taken; any other is refused
// naming the value given and the plan's.
TEST_F(PlanCoverageTest, GivenValuesMustAgreeWithThePlan) {
    const PlanCoverage plan = readPlanCoverage(file, "--plan");
    const CoverageRequest& own = plan.request;
    const struct {
        PlanField field;
        std::function<void(CoverageRequest&)> change;
        std::string message;  // empty: the plan's own value, taken
    } cases[] = {
        {PlanField::Site, [](CoverageRequest&) {}, ""},
        {PlanField::Site, [](CoverageRequest& r) { r.grid.site.lonDeg = -71.50001; },
         "x 44.5,-71.50001: contradicts the plan " + file + " (allowed: the plan's station 1's site 44.5,-71.5, "},
        {PlanField::Frequency, [](CoverageRequest&) {}, ""},
        {PlanField::Frequency, [](CoverageRequest& r) { r.frequencyMhz = 2001; }, "the plan's frequency 2000, "},
        {PlanField::Mast1, [](CoverageRequest& r) { r.mast1M = 31; }, "x 31: contradicts the plan "},
        {PlanField::Mast2, [](CoverageRequest& r) { r.mast2M = 10; }, "station 2's mast 12, "},
        {PlanField::Gain1, [](CoverageRequest& r) { r.gain1Dbi = 0; }, "station 1's gain 35, "},
        {PlanField::Gain2, [](CoverageRequest&) {}, ""},
        {PlanField::Gain2, [](CoverageRequest& r) { r.gain2Dbi = 28.5; }, "station 2's gain 28, "},
        {PlanField::Polarisation, [](CoverageRequest&) {}, ""},
        {PlanField::Polarisation, [](CoverageRequest& r) { r.polarisation = p2001::Polarisation::Vertical; },
         "x vertical: contradicts the plan " + file + " (allowed: the plan's horizontal, or leave it out)"},
        {PlanField::Step, [](CoverageRequest&) {}, ""},
        {PlanField::Step, [](CoverageRequest& r) { r.profile.stepM = 90; }, "x 90: contradicts"},
        {PlanField::SeaWhereMissing, [](CoverageRequest& r) { r.profile.seaWhereMissing = true; },
         "the plan's sea-where-missing = false, "},
        {PlanField::FillVoids, [](CoverageRequest& r) { r.profile.fillVoids = true; }, "the plan's fill-voids = false, "},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message);
        CoverageRequest given = own;
        given.grid.radiusKm = 5;
        given.grid.cellM = 300;
        c.change(given);
        const GivenField field{c.field, "x"};
        if (c.message.empty()) {
            const CoverageRequest merged = withPlan(plan, given, false, {&field, 1});
            EXPECT_EQ(merged.grid.radiusKm, 5);
            EXPECT_EQ(merged.grid.cellM, 300);
            continue;
        }
        try {
            withPlan(plan, given, false, {&field, 1});
            ADD_FAILURE() << "taken";
        } catch (const InputError& e) {
            EXPECT_NE(std::string(e.what()).find(c.message), std::string::npos) << e.what();
        }
    }
}

TEST_F(PlanCoverageTest, PercentagesAndDemsAreThePlansUnlessGiven) {
    const PlanCoverage plan = readPlanCoverage(file, "--plan");
    CoverageRequest given;
    given.dems = {"other.hgt"};
    const GivenField dems{PlanField::Dems, "--dem"};
    EXPECT_EQ(withPlan(plan, given, false, {&dems, 1}).dems, given.dems);
    EXPECT_EQ(withPlan(plan, given, false, {}).dems, tiles.paths);
    given.percents = {10};
    EXPECT_EQ(withPlan(plan, given, true, {}).percents, std::vector<double>{10});
    EXPECT_EQ(withPlan(plan, given, false, {}).percents, (std::vector<double>{50, 99, 99.9}));
    const struct {
        std::vector<double> percents;
        std::size_t band;
    } pictures[] = {{{50, 99, 99.9}, 2}, {{99.9}, 0}, {{50, 99.89}, 0}, {{99.9, 50, 99.9}, 0}};
    for (const auto& p : pictures) EXPECT_EQ(pictureBand(plan, p.percents), p.band);
}

TEST_F(PlanCoverageTest, PlansAMapCannotTakeAreRefused) {
    const struct {
        std::string text;
        std::string message;
    } cases[] = {
        {"[path]\nfrequency-mhz = 2000\n[requirement]\nsnr-db = 10\n", " has no sites (allowed: "},
        {"[station1]\nsite = [44.5, -71.5]\n[station2]\nsite = [44.6, -71.6]\n[path]\ndem = [\"" + tiles.paths[0] + "\"]\n",
         " has no required S/N (allowed: a plan with [requirement].snr-db)"},
    };
    for (const auto& c : cases) {
        std::ofstream(file) << c.text;
        try {
            readPlanCoverage(file, "--plan");
            ADD_FAILURE() << c.text;
        } catch (const InputError& e) {
            EXPECT_EQ(std::string(e.what()).rfind("--plan: " + file + c.message, 0), 0u) << e.what();
        }
    }
}

}  // namespace
}  // namespace tropolink::coverage
