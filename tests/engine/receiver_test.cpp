#include "engine/receiver.h"

#include <gtest/gtest.h>

#include <string>

#include "engine/mask.h"
#include "pass_helpers.h"

namespace tropolink {
namespace {

using namespace test;
using enum Slider;
using enum ResultBox;

StationParameters station(double noiseFigure, double rxLineLoss, double antennaNoiseTemp, double bandwidth,
                          double gain) {
    StationParameters s;
    s.rxNoiseFigure = noiseFigure;
    s.rxLineLoss = rxLineLoss;
    s.antennaNoiseTemp = antennaNoiseTemp;
    s.rxBandwidth = bandwidth;
    s.antennaGain = gain;
    return s;
}

struct SensitivityCase {
    const char* name;
    StationParameters station;
    double systemNoiseTemp;  // K, after the guard
    double rxSensitivity;    // dBW
};

class ReceiverTest : public testing::TestWithParam<SensitivityCase> {};

TEST_P(ReceiverTest, SensitivityWithGuards) {
    StationParameters s = GetParam().station;
    const ReceiverNoise n = computeReceiverNoise(s);
    EXPECT_NEAR(n.systemNoiseTemp, GetParam().systemNoiseTemp, decimals(5));
    EXPECT_NEAR(n.rxSensitivity, GetParam().rxSensitivity, decimals(5));
}

INSTANTIATE_TEST_SUITE_P(Examples, ReceiverTest,
                         testing::Values(SensitivityCase{"Default", station(3, 1, 300, 2700, 15), 738.44707,
                                                         -180.60438},
                                         // No noise at all is taken as 1 K, a bandwidth of 0 as 1 Hz.
                                         SensitivityCase{"Noiseless", station(0, 0, 0, 2700, 15), 1, -209.28757},
                                         SensitivityCase{"NoiselessNoBandwidth", station(0, 0, 0, 0, 0), 1, -228.60121},
                                         SensitivityCase{"Largest", station(10, 10, 400, 5000, 50), 29110, -196.97109}),
                         CaseName());

TEST(ReceiverTest, DefaultStationTerms) {
    StationParameters s = station(3, 1, 300, 2700, 15);
    s.txPower = 100;
    s.txLineLoss = 1;
    const ReceiverNoise n = computeReceiverNoise(s);
    EXPECT_NEAR(n.receiverNoiseTemp, 288.62607, decimals(5));
    EXPECT_NEAR(n.rxLineLossRatio, 1.25893, decimals(5));
    EXPECT_NEAR(n.noisePower, -165.60438, decimals(5));
    const Transmitter t = computeTransmitter(s);
    EXPECT_NEAR(t.eirp, 2511.88643, decimals(5));
    EXPECT_NEAR(t.eirpDbw, 33.99999985, decimals(8));  // not exactly 34: the 4.3429448 factor
    EXPECT_NEAR(receiverNoiseTemp(10), 2610, 1e-9);
}

TEST(ReceiverTest, ZeroBandwidthIsReplacedInTheRecord) {
    StationParameters s = station(3, 1, 300, 0, 15);
    computeReceiverNoise(s);
    EXPECT_EQ(s.rxBandwidth, 1);
}

struct BeamwidthCase {
    double gain;  // dBi
    double beamwidth;
    std::string shown;
};

class BeamwidthTest : public testing::TestWithParam<BeamwidthCase> {};

TEST_P(BeamwidthTest, DependsOnTheGainAlone) {
    EXPECT_NEAR(beamwidth(GetParam().gain), GetParam().beamwidth, decimals(5));
    EXPECT_EQ(applyMask(beamwidth(GetParam().gain), kMaskTwoDecimals).view(), GetParam().shown);
}

INSTANTIATE_TEST_SUITE_P(Gains, BeamwidthTest,
                         testing::Values(BeamwidthCase{15, 29.22011, "29.22"}, BeamwidthCase{0, 164.31677, "164.32"},
                                         BeamwidthCase{50, 0.51962, ".52"}));

// Each station's boxes follow only its own sliders; the beamwidths ignore the frequency.
struct IndependenceCase {
    Settings settings;
    std::vector<ResultBox> changed;
    std::vector<ResultBox> unchanged;
};

class ReceiverBoxesTest : public testing::TestWithParam<IndependenceCase> {};

TEST_P(ReceiverBoxesTest, ChangeOnlyWithTheirOwnSliders) {
    const HeadlessWindow before = passAt({});
    const HeadlessWindow after = passAt(GetParam().settings);
    for (ResultBox box : GetParam().changed) EXPECT_NE(after.boxText(box), before.boxText(box)) << boxName(box);
    for (ResultBox box : GetParam().unchanged) EXPECT_EQ(after.boxText(box), before.boxText(box)) << boxName(box);
}

INSTANTIATE_TEST_SUITE_P(Sliders, ReceiverBoxesTest,
                         testing::Values(IndependenceCase{{{HScroll6, 80}}, {Text24}, {Text25, Text41, Text42}},
                                         IndependenceCase{{{HScroll20, 100}}, {Text25}, {Text24, Text41, Text42}},
                                         IndependenceCase{{{HScroll8, 300}}, {Text24, Text41}, {Text25, Text42}},
                                         IndependenceCase{{{HScroll21, 5000}}, {}, {Text24, Text25, Text41, Text42}}));

}  // namespace
}  // namespace tropolink
