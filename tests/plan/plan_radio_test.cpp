#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>

#include "plan/plan_run.h"
#include "plan/plan_toml.h"

namespace tropolink {
namespace {

using testing::HasSubstr;

PlanResult run(const std::string& text) { return runPlan(checkPlan(parsePlan(text, {})), MapsInUse{}); }

// A budget worked by hand: k T B with T = Ta + 290 (L − 1) + L · 290 (F − 1),
// EIRP = P − line loss + G, G of a dish = 10 log10(η (π D f / c)²).
struct BudgetCase {
    const char* name;
    std::string station1;  // [station1]: the transmitter
    std::string station2;  // [station2]: the receiver
    std::string top;       // keys above the tables
    double eirp1Dbw;
    double systemNoiseTemp2K;
    double noisePower2Dbw;
    double sensitivity2Dbw;  // noise power − receive antenna gain
    double rxGain2Dbi;
};

class PlanRadioBudgetTest : public testing::TestWithParam<BudgetCase> {};

// The calculator's dB are 4.3429448 · ln x, which is 10 log10 x to 2e-9 of
// itself: within 1e-6 dB of the hand's exact logarithms here.
constexpr double kDbTolerance = 1e-6;

TEST_P(PlanRadioBudgetTest, TheBudgetTakesTheValuesAsGiven) {
    const BudgetCase& c = GetParam();
    const PlanResult r = run(c.top + "[station1]\n" + c.station1 + "[station2]\n" + c.station2 +
                             "[path]\nfrequency-mhz = 4700\n[requirement]\nsnr-db = 12\n");
    EXPECT_NEAR(r.budget.eirp1Dbw, c.eirp1Dbw, kDbTolerance);
    EXPECT_NEAR(r.values.receiver2.systemNoiseTemp, c.systemNoiseTemp2K, 1e-9);
    EXPECT_NEAR(r.values.receiver2.noisePower, c.noisePower2Dbw, kDbTolerance);
    EXPECT_NEAR(r.budget.sensitivity2Dbw, c.sensitivity2Dbw, kDbTolerance);
    EXPECT_NEAR(r.link.gain2Dbi, c.rxGain2Dbi, 1e-12);  // the ITU methods' coupling loss sees the same gain
    EXPECT_NEAR((*r.highestLossDb)[1], c.eirp1Dbw - c.sensitivity2Dbw - 12, 2 * kDbTolerance);
    EXPECT_THAT(r.notes, testing::Contains(HasSubstr("52 boxes are left out")));
    for (const std::string& box : r.boxes) EXPECT_EQ(box, "");
}

constexpr double kDish3m = 40.79459254337416;  // 3 m, η 0.55, 4.7 GHz
const std::string kDishes = "antenna-diameter-m = 3\n";

INSTANTIATE_TEST_SUITE_P(
    OutsideTheSliders, PlanRadioBudgetTest,
    testing::Values(
        BudgetCase{"TwoKilowattsTwoMegahertzDishes", "tx-power = 2000\n" + kDishes,
                   kDishes + "rx-bandwidth-mhz = 2\n", "", 72.80489250001398, 738.4470651377783,
                   -136.90771549150088, -136.90771549150088 - kDish3m, kDish3m},
        BudgetCase{"HundredKilowattsFiveHundredMegahertz", "tx-power = 100000\ntx-line-loss-db = 2.25\nantenna-gain-dbi = 60\n",
                   "antenna-gain-dbi = 60\nrx-bandwidth-hz = 500000000\nrx-noise-figure-db = 1.85\n"
                   "rx-line-loss-db = 12.5\nantenna-noise-temp-k = 150\n",
                   "", 107.75, 7755.833793425945, -102.71522415634236, -162.71522415634234, 60},
        BudgetCase{"MilliwattsOffTheStepAndHalfAHertz", "tx-power = 0.15\n", "rx-bandwidth-hz = 0.5\n",
                   "power-div-1000 = true\n", -24.239087409443187, 738.4470651377783, -202.92831540478048,
                   -202.92831540478048 - 15, 15}),
    [](const auto& p) { return p.param.name; });

// Values on the sliders' steps and in their ranges set the sliders: the boxes
// are the window's, and the budget agrees with them to their digits.
struct SliderCase {
    const char* name;
    std::string station;
};

class PlanRadioSliderTest : public testing::TestWithParam<SliderCase> {};

TEST_P(PlanRadioSliderTest, OnTheSlidersTheBoxesStandAndAgree) {
    const PlanResult r = run("[station2]\n" + GetParam().station + "[path]\ndistance-km = 300\n");
    EXPECT_EQ(r.boxesNote, "");
    ASSERT_NE(r.boxes[23], "");
    EXPECT_NEAR(std::stod(r.boxes[24]), r.budget.sensitivity2Dbw, 0.005);  // Text25, two decimals
    EXPECT_NEAR(std::stod(r.boxes[23]), r.budget.sensitivity1Dbw, 0.005);
}

INSTANTIATE_TEST_SUITE_P(Boundaries, PlanRadioSliderTest,
                         testing::Values(SliderCase{"HighestBandwidth", "rx-bandwidth-hz = 5000\n"},
                                         SliderCase{"BandwidthInMegahertz", "rx-bandwidth-mhz = 0.0027\n"},
                                         SliderCase{"NoBandwidth", "rx-bandwidth-mhz = 0\n"},
                                         SliderCase{"HighestPower", "tx-power = 1500\n"},
                                         SliderCase{"LowestPower", "tx-power = 0.1\n"},
                                         SliderCase{"HighestGain", "antenna-gain-dbi = 50\n"},
                                         SliderCase{"HighestLineLoss", "rx-line-loss-db = 10\n"}),
                         [](const auto& p) { return p.param.name; });

// One step beyond a slider: the boxes are left out, the note names the value.
struct OffSliderCase {
    const char* name;
    std::string station;
    const char* named;
};

class PlanRadioOffSliderTest : public testing::TestWithParam<OffSliderCase> {};

TEST_P(PlanRadioOffSliderTest, TheNoteNamesTheValue) {
    const PlanResult r = run("[station1]\n" + GetParam().station);
    EXPECT_THAT(r.boxesNote, HasSubstr(GetParam().named));
    EXPECT_THAT(r.boxesNote, HasSubstr("52 boxes are left out"));
    EXPECT_EQ(r.boxes[0], "");
}

INSTANTIATE_TEST_SUITE_P(
    Boundaries, PlanRadioOffSliderTest,
    testing::Values(OffSliderCase{"BandwidthAboveTheSlider", "rx-bandwidth-hz = 5001\n", "station1.rx-bandwidth-hz = 5001"},
                    OffSliderCase{"BandwidthOffTheStep", "rx-bandwidth-mhz = 0.0000005\n",
                                  "station1.rx-bandwidth-mhz = 0.0000005"},
                    OffSliderCase{"PowerAboveTheSlider", "tx-power = 1500.1\n", "station1.tx-power = 1500.1"},
                    OffSliderCase{"PowerOffTheStep", "tx-power = 0.15\n", "station1.tx-power = 0.15"},
                    OffSliderCase{"GainAboveTheSlider", "antenna-gain-dbi = 50.1\n", "station1.antenna-gain-dbi = 50.1"},
                    OffSliderCase{"NoiseTemperatureOffTheStep", "antenna-noise-temp-k = 290.5\n",
                                  "station1.antenna-noise-temp-k = 290.5"},
                    OffSliderCase{"Dish", "antenna-diameter-m = 2.4\nantenna-efficiency = 0.6\n",
                                  "station1.antenna-diameter-m = 2.4 (18.50 dBi)"}),
    [](const auto& p) { return p.param.name; });

// Past a radio value's own range, or two ways of one value: refused.
struct RefusedCase {
    const char* name;
    std::string text;
    const char* message;
};

class PlanRadioRefusedTest : public testing::TestWithParam<RefusedCase> {};

TEST_P(PlanRadioRefusedTest, IsRefusedNamingTheKey) {
    try {
        checkPlan(parsePlan(GetParam().text, {}));
        FAIL() << "accepted";
    } catch (const PlanError& e) {
        EXPECT_THAT(e.what(), HasSubstr(GetParam().message));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Boundaries, PlanRadioRefusedTest,
    testing::Values(
        RefusedCase{"PowerAboveHundredKilowatts", "[station1]\ntx-power = 100000.001\n", "station1.tx-power"},
        RefusedCase{"NoPower", "[station1]\ntx-power = 0\n", "station1.tx-power"},
        RefusedCase{"BelowATenthOfAMilliwatt", "power-div-1000 = true\n[station1]\ntx-power = 0.09\n", "0.1 to"},
        RefusedCase{"MilliwattsAboveHundredKilowatts", "power-div-1000 = true\n[station1]\ntx-power = 100000000.1\n",
                    "100000000 mW"},
        RefusedCase{"BandwidthAboveFiveHundredMegahertz", "[station2]\nrx-bandwidth-mhz = 500.000001\n",
                    "station2.rx-bandwidth-mhz"},
        RefusedCase{"NegativeBandwidth", "[station2]\nrx-bandwidth-hz = -1\n", "station2.rx-bandwidth-hz"},
        RefusedCase{"BothBandwidths", "[station2]\nrx-bandwidth-hz = 1\nrx-bandwidth-mhz = 1\n", "not both"},
        RefusedCase{"GainAndDiameter", "[station2]\nantenna-gain-dbi = 30\nantenna-diameter-m = 1\n", "not both"},
        RefusedCase{"EfficiencyAlone", "[station2]\nantenna-efficiency = 0.6\n", "with antenna-diameter-m"},
        RefusedCase{"NoDiameter", "[station2]\nantenna-diameter-m = 0\n", "station2.antenna-diameter-m"},
        RefusedCase{"EfficiencyAboveOne", "[station2]\nantenna-diameter-m = 1\nantenna-efficiency = 1.01\n",
                    "station2.antenna-efficiency"},
        RefusedCase{"LineLossAboveThirty", "[station2]\nrx-line-loss-db = 30.1\n", "station2.rx-line-loss-db"}),
    [](const auto& p) { return p.param.name; });

TEST(PlanRadioTest, TheDishGainFollowsTheFrequency) {
    // 4.7 GHz, 3 m, 0.55 by hand; ten times the frequency is 20 dB more.
    EXPECT_NEAR(dishGainDbi(3, 0.55, 4700), kDish3m, 1e-12);
    EXPECT_NEAR(dishGainDbi(3, 0.55, 47000) - dishGainDbi(3, 0.55, 4700), 20, 1e-12);
    EXPECT_NEAR(dishGainDbi(2.4, 0.6, 4700), 39.23427789210703, 1e-12);
}

}  // namespace
}  // namespace tropolink
