#include "engine/link_parameters.h"

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>

#include "pass_helpers.h"

namespace tropolink {
namespace {

using namespace test;
using enum Slider;
using enum ResultBox;

using Field = std::function<double(const LinkParameters&)>;

struct EchoCase {
    Slider slider;
    int position;
    bool powerDividedBy1000;
    ResultBox box;
    std::string echo;
    Field field;
    double value;
};

class LinkParametersTest : public testing::TestWithParam<EchoCase> {};

TEST_P(LinkParametersTest, EchoesTheSettingAndSetsItsField) {
    const EchoCase& c = GetParam();
    HeadlessWindow window = windowAt({{c.slider, c.position}}, c.powerDividedBy1000);
    const LinkParameters params = readLinkParameters(window);
    EXPECT_EQ(window.boxText(c.box), c.echo);
    EXPECT_DOUBLE_EQ(c.field(params), c.value);
}

const Field kHeight1 = [](const LinkParameters& p) { return p.station1.antennaHeight; };
const Field kHeight2 = [](const LinkParameters& p) { return p.station2.antennaHeight; };
const Field kObstruction2 = [](const LinkParameters& p) { return p.station2.obstructionHeight; };
const Field kObstructionDistance1 = [](const LinkParameters& p) { return p.station1.obstructionDistance; };
const Field kPower1 = [](const LinkParameters& p) { return p.station1.txPower; };
const Field kPower2 = [](const LinkParameters& p) { return p.station2.txPower; };
const Field kTxLoss1 = [](const LinkParameters& p) { return p.station1.txLineLoss; };
const Field kNoiseFigure2 = [](const LinkParameters& p) { return p.station2.rxNoiseFigure; };
const Field kGain2 = [](const LinkParameters& p) { return p.station2.antennaGain; };
const Field kBandwidth1 = [](const LinkParameters& p) { return p.station1.rxBandwidth; };
const Field kFrequency = [](const LinkParameters& p) { return p.frequency; };
const Field kDistance = [](const LinkParameters& p) { return p.distance; };
const Field kRefractivity = [](const LinkParameters& p) { return p.surfaceRefractivity; };

INSTANTIATE_TEST_SUITE_P(Echoes, LinkParametersTest,
                         testing::Values(EchoCase{HScroll1, 0, false, Text1, " 0", kHeight1, 0},
                                         EchoCase{HScroll1, 10, false, Text1, " 10", kHeight1, 0.01},
                                         EchoCase{HScroll11, 10000, false, Text11, " 10000", kHeight2, 10},
                                         EchoCase{HScroll12, 5, false, Text12, " 5", kObstruction2, 0.005},
                                         EchoCase{HScroll3, 0, false, Text3, " 0", kObstructionDistance1, 0},
                                         EchoCase{HScroll4, 1000, false, Text4, " 100", kPower1, 100},
                                         EchoCase{HScroll4, 1, false, Text4, " .1", kPower1, 0.1},
                                         EchoCase{HScroll4, 1, true, Text4, "0.1 mW", kPower1, 0.0001},
                                         EchoCase{HScroll4, 1000, true, Text4, "100. mW", kPower1, 0.1},
                                         EchoCase{HScroll14, 15000, true, Text14, "1500. mW", kPower2, 1.5},
                                         EchoCase{HScroll14, 15, true, Text14, "1.5 mW", kPower2, 0.0015},
                                         EchoCase{HScroll14, 15000, false, Text14, " 1500", kPower2, 1500},
                                         EchoCase{HScroll5, 5, false, Text5, " .5", kTxLoss1, 0.5},
                                         EchoCase{HScroll5, 0, false, Text5, " 0", kTxLoss1, 0},
                                         EchoCase{HScroll16, 15, false, Text16, " 1.5", kNoiseFigure2, 1.5},
                                         EchoCase{HScroll18, 500, false, Text18, " 50", kGain2, 50},
                                         EchoCase{HScroll10, 0, false, Text10, " 0", kBandwidth1, 0},
                                         EchoCase{HScroll21, 25000, false, Text21, " 25000", kFrequency, 25000},
                                         EchoCase{HScroll22, 1, false, Text22, " 1", kDistance, 1},
                                         EchoCase{HScroll23, 270, false, Text23, " 270", kRefractivity, 270}));

struct MilesCase {
    int distance;
    std::string text;
};

class MilesTest : public testing::TestWithParam<MilesCase> {};

TEST_P(MilesTest, FollowsTheDistanceEcho) {
    HeadlessWindow window = windowAt({{HScroll22, GetParam().distance}});
    readLinkParameters(window);
    EXPECT_EQ(window.boxText(Text51), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(Distances, MilesTest,
                         testing::Values(MilesCase{250, " = 155.3 miles"}, MilesCase{161, " = 100. miles"},
                                         MilesCase{1, " = .6 miles"}, MilesCase{2000, " = 1242.7 miles"},
                                         MilesCase{16, " = 9.9 miles"}, MilesCase{100, " = 62.1 miles"}));

TEST(LinkParametersTest, StartPositions) {
    HeadlessWindow window;
    const LinkParameters p = readLinkParameters(window);
    const char* const stationEchoes[] = {" 10", " 5", " 5", " 100", " 1", " 3", " 1", " 15", " 300", " 2700"};
    for (int row = 0; row < 10; ++row) {
        EXPECT_EQ(window.boxText(boxFromNumber(row + 1)), stationEchoes[row]) << row;
        EXPECT_EQ(window.boxText(boxFromNumber(row + 11)), stationEchoes[row]) << row;
    }
    expectBoxes(window, {{Text21, " 432"}, {Text22, " 250"}, {Text23, " 310"}, {Text51, " = 155.3 miles"}});
    for (const StationParameters& s : {p.station1, p.station2}) {
        EXPECT_DOUBLE_EQ(s.antennaHeight, 0.01);
        EXPECT_DOUBLE_EQ(s.obstructionHeight, 0.005);
        EXPECT_DOUBLE_EQ(s.obstructionDistance, 5);
        EXPECT_DOUBLE_EQ(s.txPower, 100);
        EXPECT_DOUBLE_EQ(s.txLineLoss, 1);
        EXPECT_DOUBLE_EQ(s.rxNoiseFigure, 3);
        EXPECT_DOUBLE_EQ(s.rxLineLoss, 1);
        EXPECT_DOUBLE_EQ(s.antennaGain, 15);
        EXPECT_DOUBLE_EQ(s.antennaNoiseTemp, 300);
        EXPECT_DOUBLE_EQ(s.rxBandwidth, 2700);
    }
    EXPECT_DOUBLE_EQ(p.frequency, 432);
    EXPECT_DOUBLE_EQ(p.distance, 250);
    EXPECT_DOUBLE_EQ(p.surfaceRefractivity, 310);
}

TEST(LinkParametersTest, TickingChangesOnlyThePowerEchoes) {
    HeadlessWindow unticked;
    HeadlessWindow ticked = windowAt({}, true);
    readLinkParameters(unticked);
    readLinkParameters(ticked);
    for (int n = 1; n <= kResultBoxCount; ++n) {
        const ResultBox box = boxFromNumber(n);
        const std::string expected = box == Text4 || box == Text14 ? "100. mW" : unticked.boxText(box);
        EXPECT_EQ(ticked.boxText(box), expected) << boxName(box);
    }
}

TEST(LinkParametersTest, ZeroHeightKeepsItsEchoAfterTheReplacement) {
    HeadlessWindow window = windowAt({{HScroll1, 0}});
    const PassValues v = RecalculateWithValues(window);
    EXPECT_EQ(window.boxText(Text1), " 0");
    EXPECT_EQ(v.params.station1.antennaHeight, 0.001);
}

TEST(LinkParametersTest, WritesTheEchoesRowByRow) {
    HeadlessWindow window;
    window.setRecordingWrites(true);
    readLinkParameters(window);
    const std::vector<ResultBox> expected{Text1, Text11, Text2,  Text12, Text3,  Text13, Text4,  Text14,
                                          Text5, Text15, Text6,  Text16, Text7,  Text17, Text8,  Text18,
                                          Text9, Text19, Text10, Text20, Text21, Text22, Text51, Text23};
    EXPECT_EQ(window.writes(), expected);
}

// Names that look like a slider's but are none must not reach one by their number.
TEST(SliderByNameTest, FindsExactlyTheSlidersNames) {
    const struct {
        std::string_view name;
        std::optional<Slider> slider;
    } cases[] = {
        {"HScroll1", Slider::HScroll1},   {"HScroll9", Slider::HScroll9},   {"HScroll10", Slider::HScroll10},
        {"HScroll23", Slider::HScroll23}, {"HScroll0", std::nullopt},       {"HScroll24", std::nullopt},
        {"HScroll01", std::nullopt},      {"HScroll", std::nullopt},        {"HScroll100", std::nullopt},
        {"HScroll1x", std::nullopt},      {"HScroll:1", std::nullopt},      {"hscroll1", std::nullopt},
    };
    for (const auto& c : cases) EXPECT_EQ(sliderByName(c.name), c.slider) << c.name;
    for (const SliderSpec& info : kSliders) EXPECT_EQ(sliderByName(info.name), info.slider) << info.name;
}

}  // namespace
}  // namespace tropolink
