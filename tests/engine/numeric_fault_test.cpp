#include "engine/numeric_fault.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "pass_helpers.h"

namespace tropolink {
namespace {

using namespace test;
using enum Slider;
using enum ResultBox;

// Positions outside the sliders' ranges, which no window allows.
struct FaultCase {
    const char* name;
    Settings settings;
    bool powerDividedBy1000;
    std::string quantity;
    std::size_t writesBeforeFault;  // how far the pass's usual write order got
    BoxTexts texts;                 // some of this pass's texts
};

class NumericFaultTest : public testing::TestWithParam<FaultCase> {};

// Every box written by a pass at the start positions, in order.
std::vector<ResultBox> fullWriteOrder() {
    HeadlessWindow window;
    window.setRecordingWrites(true);
    Recalculate(window);
    return window.writes();
}

TEST_P(NumericFaultTest, StopsThePassAtTheFailingStep) {
    const FaultCase& c = GetParam();
    // A previous pass whose texts differ from the start positions' almost everywhere.
    HeadlessWindow window = passAt(concat(bothStations({{HScroll1, 10000}}), {{HScroll21, 5000}}));
    const HeadlessWindow previous = window;
    window.resetInputs();
    for (const SliderSetting& s : c.settings) window.setSliderPosition(s.slider, s.position);
    window.setPowerDividedBy1000(c.powerDividedBy1000);
    window.setRecordingWrites(true);
    try {
        Recalculate(window);
        FAIL() << "no fault";
    } catch (const NumericFault& fault) {
        EXPECT_EQ(fault.quantity(), c.quantity);
    }
    const std::vector<ResultBox> order = fullWriteOrder();
    ASSERT_LE(c.writesBeforeFault, order.size());
    const std::vector<ResultBox> expected(order.begin(),
                                          order.begin() + static_cast<std::ptrdiff_t>(c.writesBeforeFault));
    EXPECT_EQ(window.writes(), expected);
    for (int n = 1; n <= kResultBoxCount; ++n) {
        const ResultBox box = boxFromNumber(n);
        if (std::find(expected.begin(), expected.end(), box) == expected.end()) {
            EXPECT_EQ(window.boxText(box), previous.boxText(box)) << boxName(box) << " kept";
        }
    }
    expectBoxes(window, c.texts);

    // The pass without a window names the same quantity.
    SliderPositions positions = startPositions();
    for (const SliderSetting& s : c.settings) positions[static_cast<std::size_t>(sliderIndex(s.slider))] = s.position;
    try {
        computePassValues(positions, c.powerDividedBy1000);
        ADD_FAILURE() << "no fault without a window";
    } catch (const NumericFault& fault) {
        EXPECT_EQ(fault.quantity(), c.quantity);
    }

    // The window stays usable.
    window.resetInputs();
    Recalculate(window);
    EXPECT_EQ(window.boxText(Text26), "198.07");
}

constexpr std::size_t kEchoes = 24;
constexpr std::size_t kAfterAttenuation = kEchoes + 1;
constexpr std::size_t kAfterGeometry = kAfterAttenuation + 3;
constexpr std::size_t kAfterFreeSpace = kAfterGeometry + 2;
constexpr std::size_t kAfterSensitivity = kAfterFreeSpace + 2;
constexpr std::size_t kAfterYeh = kAfterSensitivity + 3;

INSTANTIATE_TEST_SUITE_P(
    OutOfRangePositions, NumericFaultTest,
    testing::Values(
        // The horizon distance is the root of a negative height.
        FaultCase{"NegativeHeight",
                  {{HScroll1, -100}},
                  false,
                  "path geometry",
                  kAfterAttenuation,
                  {{Text1, "-100"}, {Text50, ".06"}}},
        FaultCase{"ZeroDistance",
                  {{HScroll22, 0}},
                  false,
                  "line-of-sight loss",
                  kAfterGeometry,
                  {{Text22, " 0"}, {Text51, " = . miles"}, {Text50, "."}, {Text38, "-0.148"}}},
        FaultCase{"ZeroFrequency",
                  {{HScroll21, 0}},
                  false,
                  "line-of-sight loss",
                  kAfterGeometry,
                  {{Text21, " 0"}, {Text50, "."}, {Text38, "1.538"}}},
        FaultCase{
            "NegativeFrequency", {{HScroll21, -10}}, false, "line-of-sight loss", kAfterGeometry, {{Text21, "-10"}}},
        FaultCase{"NegativeBandwidth",
                  {{HScroll10, -1}},
                  false,
                  "receiver sensitivity",
                  kAfterFreeSpace,
                  {{Text10, "-1"}, {Text43, "Not LOS"}, {Text52, "109.19"}}},
        // 3276.7 dB overflows the power ratio.
        FaultCase{"HugeNoiseFigure",
                  {{HScroll16, 32767}},
                  false,
                  "receiver sensitivity",
                  kAfterFreeSpace,
                  {{Text16, " 3276.7"}}},
        FaultCase{"ZeroPower",
                  {{HScroll4, 0}},
                  false,
                  "radiated power",
                  kAfterSensitivity,
                  {{Text4, " 0"}, {Text24, "-180.6"}, {Text25, "-180.6"}}},
        FaultCase{"ZeroPowerTicked",
                  {{HScroll14, 0}},
                  true,
                  "radiated power",
                  kAfterSensitivity,
                  {{Text4, "100. mW"}, {Text14, "0. mW"}}},
        FaultCase{"HugeGain",
                  {{HScroll18, 32767}},
                  false,
                  "radiated power",
                  kAfterSensitivity,
                  {{Text18, " 3276.7"}, {Text25, "-3442.3"}}},
        // The middle fit of the attenuation takes the logarithm of Ns.
        FaultCase{"NegativeRefractivity",
                  {{HScroll23, -300}, {HScroll22, 500}},
                  false,
                  "CCIR loss",
                  kAfterYeh,
                  {{Text23, "-300"}, {Text41, "29.22"}}}),
    CaseName());

}  // namespace
}  // namespace tropolink
