#include "engine/recalculate.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "engine/mask.h"
#include "pass_helpers.h"

namespace tropolink {
namespace {

using namespace test;
using enum Slider;
using enum ResultBox;

const Settings kHighAntennas = bothStations({{HScroll1, 10000}});
// Flat ground, 1 km: the angular distance and both take-off angles cancel exactly.
const Settings kZeroScatteringAngle =
    concat(bothStations({{HScroll1, 0}, {HScroll2, 0}, {HScroll3, 1}}), {{HScroll22, 1}});
// Beyond the horizon by 0.0162°, but the radian angle on the refractivity earth is negative.
const Settings kIttOutOfRange = concat(bothStations({{HScroll1, 900}}), {{HScroll23, 350}});

struct PassCase {
    const char* name;
    Settings settings;
    BoxTexts texts;
};

class RecalculateTest : public testing::TestWithParam<PassCase> {};

TEST_P(RecalculateTest, BoxTexts) { expectBoxes(passAt(GetParam().settings), GetParam().texts); }

const BoxTexts kStartTexts{{Text1, " 10"},     {Text2, " 5"},      {Text3, " 5"},       {Text4, " 100"},
                           {Text5, " 1"},      {Text6, " 3"},      {Text7, " 1"},       {Text8, " 15"},
                           {Text9, " 300"},    {Text10, " 2700"},  {Text11, " 10"},     {Text12, " 5"},
                           {Text13, " 5"},     {Text14, " 100"},   {Text15, " 1"},      {Text16, " 3"},
                           {Text17, " 1"},     {Text18, " 15"},    {Text19, " 300"},    {Text20, " 2700"},
                           {Text21, " 432"},   {Text22, " 250"},   {Text23, " 310"},    {Text51, " = 155.3 miles"},
                           {Text24, "-180.6"}, {Text25, "-180.6"}, {Text26, "198.07"},  {Text27, "194.07"},
                           {Text28, "189.82"}, {Text29, "193.53"}, {Text46, "220.05"},  {Text30, "16.531"},
                           {Text34, "16.531"}, {Text31, "20.532"}, {Text35, "20.532"},  {Text32, "24.787"},
                           {Text36, "24.787"}, {Text33, "21.078"}, {Text37, "21.078"},  {Text47, "-5.45"},
                           {Text48, "-5.45"},  {Text38, "1.538"},  {Text39, "-0.074"},  {Text40, "-0.074"},
                           {Text41, "29.22"},  {Text42, "29.22"},  {Text43, "Not LOS"}, {Text44, "2.11"},
                           {Text45, "0.36"},   {Text49, "193.8"},  {Text50, ".06"},     {Text52, "109.19"}};

INSTANTIATE_TEST_SUITE_P(
    Paths, RecalculateTest,
    testing::Values(
        PassCase{"StartPositions", {}, kStartTexts},
        PassCase{"LineOfSight",
                 kHighAntennas,
                 {{Text1, " 10000"},           {Text11, " 10000"},        {Text39, "horizon limited"},
                  {Text40, "horizon limited"}, {Text38, "-3.88"},         {Text26, "Line of Sight"},
                  {Text27, "Line of Sight"},   {Text28, "Line of Sight"}, {Text29, "Line of Sight"},
                  {Text46, "Line of Sight"},   {Text43, "133.17"},        {Text49, "133.2 - LOS"},
                  {Text30, "81.436"},          {Text31, "81.436"},        {Text32, "81.436"},
                  {Text33, "81.436"},          {Text47, "81.436"},        {Text34, "81.436"},
                  {Text35, "81.436"},          {Text36, "81.436"},        {Text37, "81.436"},
                  {Text48, "81.436"}}},
        PassCase{"CollinsOutOfRange",
                 {{HScroll22, 160}},
                 {{Text51, " = 99.4 miles"},
                  {Text29, "Out of Range"},
                  {Text33, "No Data"},
                  {Text37, "No Data"},
                  {Text43, "Not LOS"}}},
        PassCase{"IttOutOfRange",
                 kIttOutOfRange,
                 {{Text38, "0.016"},
                  {Text39, "horizon limited"},
                  {Text40, "horizon limited"},
                  {Text43, "Not LOS"},
                  {Text27, "Out of Range"},
                  {Text31, "No Data"},
                  {Text35, "No Data"},
                  {Text28, "27.86"},
                  {Text46, "out of range"},
                  {Text47, "No Data"},
                  {Text48, "No Data"}}},
        PassCase{"ZeroScatteringAngle",
                 kZeroScatteringAngle,
                 {{Text1, " 0"},
                  {Text2, " 0"},
                  {Text3, " 1"},
                  {Text38, "0."},
                  {Text44, "2."},
                  {Text39, "-0.003"},
                  {Text40, "-0.003"},
                  {Text43, "85.21"},
                  {Text26, "Line of Sight"},
                  {Text27, "Line of Sight"},
                  {Text28, "Line of Sight"},
                  {Text29, "Line of Sight"},
                  {Text46, "out of range"},
                  {Text47, "No Data"},
                  {Text48, "No Data"},
                  {Text49, "85.2 - LOS"}}},
        PassCase{"BandEdgeLow", {{HScroll21, 13000}, {HScroll22, 2000}}, {{Text50, "45.68"}}},
        PassCase{"BandEdgeHigh", {{HScroll21, 13001}, {HScroll22, 2000}}, {{Text50, "44.53"}}},
        PassCase{"ShortestAtLowestFrequency", {{HScroll21, 50}, {HScroll22, 1}}, {{Text50, "."}, {Text52, "66.48"}}}),
    CaseName());

TEST(RecalculateTest, CollinsOutOfRangeAveragesYehAndCcir) {
    HeadlessWindow window = windowAt({{HScroll22, 160}});
    const PassValues v = RecalculateWithValues(window);
    EXPECT_FALSE(v.collins.inRange);
    EXPECT_EQ(window.boxText(Text49), applyMask((v.ccir.loss + v.yeh.loss) / 2, kMaskAverage).view());
    for (ResultBox box : {Text26, Text27, Text28, Text46, Text31, Text32})
        EXPECT_NE(window.boxText(box).find('.'), std::string::npos) << boxName(box);
}

TEST(RecalculateTest, IttOutOfRangeLeavesTheOtherColumnsNumbers) {
    const HeadlessWindow window = passAt(kIttOutOfRange);
    for (ResultBox box : {Text26, Text28, Text29, Text30, Text32, Text33, Text49})
        EXPECT_NE(window.boxText(box).find('.'), std::string::npos) << boxName(box);
}

// Both stations set alike show alike in every station box.
class IdenticalStationsTest : public testing::TestWithParam<Settings> {};

TEST_P(IdenticalStationsTest, GiveIdenticalRows) {
    for (bool ticked : {false, true}) {
        const HeadlessWindow w = passAt(GetParam(), ticked);
        for (int row = 1; row <= 10; ++row)
            EXPECT_EQ(w.boxText(boxFromNumber(row)), w.boxText(boxFromNumber(row + 10))) << row;
        for (const auto& [a, b] : kStationPairs) EXPECT_EQ(w.boxText(a), w.boxText(b)) << boxName(a);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, IdenticalStationsTest,
    testing::Values(Settings{}, kHighAntennas, kZeroScatteringAngle, bothStations({{HScroll8, 400}, {HScroll2, 200}}),
                    bothStations({{HScroll4, 1}, {HScroll10, 0}, {HScroll6, 0}, {HScroll7, 0}, {HScroll9, 0}})));

// The echoes and every stage up to the ITT method write the same boxes on every path.
const std::vector<ResultBox> kUpToTheMethods{
    Text1,  Text11, Text2,  Text12, Text3,  Text13, Text4,  Text14, Text5,  Text15, Text6,  Text16, Text7,
    Text17, Text8,  Text18, Text9,  Text19, Text10, Text20, Text21, Text22, Text51, Text23, Text50, Text39,
    Text40, Text38, Text43, Text52, Text24, Text25, Text41, Text42, Text44, Text45, Text28, Text27};

struct OrderCase {
    const char* name;
    Settings settings;
    std::vector<ResultBox> writes;
};

class WriteOrderTest : public testing::TestWithParam<OrderCase> {};

TEST_P(WriteOrderTest, StagesWriteInPassOrder) {
    HeadlessWindow window = windowAt(GetParam().settings);
    window.setRecordingWrites(true);
    Recalculate(window);
    EXPECT_EQ(window.writes(), GetParam().writes);
    EXPECT_EQ(std::count(window.writes().begin(), window.writes().end(), Text46), 1);
    EXPECT_EQ(std::count(window.writes().begin(), window.writes().end(), Text49), 1);
    for (int n = 1; n <= kResultBoxCount; ++n) {
        EXPECT_NE(std::find(window.writes().begin(), window.writes().end(), boxFromNumber(n)), window.writes().end())
            << n;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Paths, WriteOrderTest,
    testing::Values(
        OrderCase{"BeyondTheHorizon",
                  {},
                  concat(kUpToTheMethods, {Text29, Text26, Text30, Text34, Text31, Text35, Text32, Text36, Text33,
                                           Text37, Text46, Text47, Text48, Text49})},
        OrderCase{"LineOfSight", kHighAntennas,
                  concat(kUpToTheMethods, {Text29, Text26, Text30, Text34, Text27, Text31, Text35, Text28, Text32,
                                           Text36, Text29, Text33, Text37, Text46, Text47, Text48, Text49})},
        // Rider's "out of range" comes from its own step, before Collins.
        OrderCase{"ZeroScatteringAngle", kZeroScatteringAngle,
                  concat(kUpToTheMethods, {Text46, Text29, Text26, Text30, Text34, Text27, Text31, Text35, Text28,
                                           Text32, Text36, Text29, Text33, Text37, Text47, Text48, Text49})}),
    CaseName());

// Logs every write, and the window operation as box 0.
class LoggingWindow final : public FormWindow {
public:
    int sliderPosition(Slider slider) const override { return inner_.sliderPosition(slider); }
    bool powerDividedBy1000() const override { return false; }
    void setBoxText(ResultBox box, std::string_view) override { events_.push_back(boxNumber(box)); }
    void refresh() override { events_.push_back(0); }
    const std::vector<int>& events() const { return events_; }

private:
    HeadlessWindow inner_;
    std::vector<int> events_;
};

TEST(RecalculateTest, RefreshOnceAfterTheEchoesBeforeAnyResult) {
    LoggingWindow window;
    Recalculate(window);
    Recalculate(window);
    const std::vector<int>& events = window.events();
    ASSERT_EQ(events.size() % 2, 0U);
    const std::size_t passLength = events.size() / 2;
    for (std::size_t pass = 0; pass < 2; ++pass) {
        const auto begin = events.begin() + static_cast<std::ptrdiff_t>(pass * passLength);
        const auto end = begin + static_cast<std::ptrdiff_t>(passLength);
        EXPECT_EQ(std::count(begin, end, 0), 1);
        EXPECT_EQ(begin[24], 0);
    }
}

TEST(RecalculateTest, BoxesStartEmptyAndOnePassFillsThemAll) {
    HeadlessWindow window;
    for (int n = 1; n <= kResultBoxCount; ++n) EXPECT_TRUE(window.boxText(boxFromNumber(n)).empty()) << n;
    Recalculate(window);
    for (int n = 1; n <= kResultBoxCount; ++n) EXPECT_FALSE(window.boxText(boxFromNumber(n)).empty()) << n;
}

TEST(RecalculateTest, SameInputsSameTexts) {
    HeadlessWindow window;
    Recalculate(window);
    const HeadlessWindow first = window;
    window.setRecordingWrites(true);
    Recalculate(window);
    for (int n = 1; n <= kResultBoxCount; ++n)
        EXPECT_EQ(window.boxText(boxFromNumber(n)), first.boxText(boxFromNumber(n))) << n;
    EXPECT_EQ(window.refreshCount(), 2);
}

TEST(RecalculateTest, TickingChangesThePowerEchoesAndEverySignalToNoise) {
    HeadlessWindow window;
    Recalculate(window);
    const HeadlessWindow unticked = window;
    window.setPowerDividedBy1000(true);
    Recalculate(window);
    const std::vector<ResultBox> changed{Text4,  Text14, Text30, Text31, Text32, Text33,
                                         Text47, Text34, Text35, Text36, Text37, Text48};
    for (int n = 1; n <= kResultBoxCount; ++n) {
        const ResultBox box = boxFromNumber(n);
        const bool changes = std::find(changed.begin(), changed.end(), box) != changed.end();
        EXPECT_EQ(window.boxText(box) != unticked.boxText(box), changes) << boxName(box);
    }
    EXPECT_EQ(window.boxText(Text4), "100. mW");
    window.setPowerDividedBy1000(false);
    Recalculate(window);
    for (int n = 1; n <= kResultBoxCount; ++n)
        EXPECT_EQ(window.boxText(boxFromNumber(n)), unticked.boxText(boxFromNumber(n))) << n;
}

TEST(RecalculateTest, TypedTextIsReplaced) {
    HeadlessWindow window;
    for (int n = 1; n <= kResultBoxCount; ++n) window.setBoxText(boxFromNumber(n), "typed");
    Recalculate(window);
    expectBoxes(window, kStartTexts);
}

TEST(RecalculateTest, RefractivityLeavesTheGeometryBoxes) {
    const HeadlessWindow reference = passAt({});
    for (int n : {270, 350}) {
        const HeadlessWindow w = passAt({{HScroll23, n}});
        for (ResultBox box : {Text38, Text39, Text40}) EXPECT_EQ(w.boxText(box), reference.boxText(box)) << n;
    }
}

}  // namespace
}  // namespace tropolink

namespace tropolink {
namespace {

// The pass without a window computes the very same figures, bit for bit.
void expectSameFigures(const PassValues& a, const PassValues& b) {
    EXPECT_EQ(a.params.station1.antennaHeight, b.params.station1.antennaHeight);
    EXPECT_EQ(a.params.station2.txPower, b.params.station2.txPower);
    EXPECT_EQ(a.atmosphericAttenuation, b.atmosphericAttenuation);
    EXPECT_EQ(a.geometry.scatteringAngle, b.geometry.scatteringAngle);
    EXPECT_EQ(a.geometry.station1.takeOffAngle, b.geometry.station1.takeOffAngle);
    EXPECT_EQ(a.geometry.station2.horizonLimited, b.geometry.station2.horizonLimited);
    EXPECT_EQ(a.lineOfSightLoss, b.lineOfSightLoss);
    EXPECT_EQ(a.perfectDuctLoss, b.perfectDuctLoss);
    EXPECT_EQ(a.receiver1.rxSensitivity, b.receiver1.rxSensitivity);
    EXPECT_EQ(a.transmitter2.eirpDbw, b.transmitter2.eirpDbw);
    EXPECT_EQ(a.beamwidth1, b.beamwidth1);
    EXPECT_EQ(a.yeh.loss, b.yeh.loss);
    EXPECT_EQ(a.ccir.loss, b.ccir.loss);
    EXPECT_EQ(a.itt.inRange, b.itt.inRange);
    EXPECT_EQ(a.itt.loss, b.itt.loss);
    EXPECT_EQ(a.rider.verdict, b.rider.verdict);
    EXPECT_EQ(a.rider.loss, b.rider.loss);
    EXPECT_EQ(a.collins.inRange, b.collins.inRange);
    EXPECT_EQ(a.collins.loss, b.collins.loss);
    for (std::size_t m = 0; m < a.signalToNoise.size(); ++m) {
        EXPECT_EQ(a.signalToNoise[m].hasData, b.signalToNoise[m].hasData) << m;
        EXPECT_EQ(a.signalToNoise[m].atStation1, b.signalToNoise[m].atStation1) << m;
        EXPECT_EQ(a.signalToNoise[m].atStation2, b.signalToNoise[m].atStation2) << m;
    }
    EXPECT_EQ(a.averageLoss, b.averageLoss);
}

TEST(ComputePassValuesTest, EqualsTheWindowPass) {
    using namespace test;
    using enum Slider;
    const Settings cases[]{
        {},
        bothStations({{HScroll1, 10000}}),
        concat(bothStations({{HScroll1, 0}, {HScroll2, 0}, {HScroll3, 1}}), {{HScroll22, 1}}),
        concat(bothStations({{HScroll1, 900}}), {{HScroll23, 350}}),
        {{HScroll22, 160}, {HScroll4, 1}, {HScroll10, 0}, {HScroll19, 0}, {HScroll21, 25000}},
        {{HScroll22, 2000}, {HScroll21, 50}, {HScroll8, 500}, {HScroll18, 0}},
    };
    for (const bool ticked : {false, true})
        for (const Settings& settings : cases) {
            HeadlessWindow window = windowAt(settings, ticked);
            SliderPositions positions{};
            for (const SliderSpec& info : kSliders)
                positions[static_cast<std::size_t>(sliderIndex(info.slider))] = window.sliderPosition(info.slider);
            const PassValues expected = RecalculateWithValues(window);
            expectSameFigures(computePassValues(positions, ticked), expected);
        }
}

}  // namespace
}  // namespace tropolink
