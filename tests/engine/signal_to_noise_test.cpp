#include "engine/signal_to_noise.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "engine/headless_window.h"
#include "pass_helpers.h"

namespace tropolink {
namespace {

using enum ResultBox;
using test::BoxTexts;

// The default path's figures.
SignalToNoiseInputs defaultInputs() {
    SignalToNoiseInputs in;
    in.eirpDbw1 = in.eirpDbw2 = 33.99999985;
    in.rxSensitivity1 = in.rxSensitivity2 = -180.6043771;
    in.lineOfSight = false;
    in.lineOfSightLoss = 133.1684747;
    in.yehLoss = 198.0732357;
    in.itt = {true, 194.0721072};
    in.ccirLoss = 189.8172252;
    in.collins = {-0.16, true, 0, 193.5266401};
    in.rider = {RiderVerdict::Valid, 220.0546069};
    return in;
}

void lineOfSight(SignalToNoiseInputs& in) {
    in.lineOfSight = true;
    in.rider.verdict = RiderVerdict::LineOfSight;
}

struct GridCase {
    const char* name;
    std::function<void(SignalToNoiseInputs&)> change;
    std::vector<ResultBox> writes;
    BoxTexts texts;
};

class SignalToNoiseTest : public testing::TestWithParam<GridCase> {};

TEST_P(SignalToNoiseTest, ColumnByColumn) {
    SignalToNoiseInputs in = defaultInputs();
    GetParam().change(in);
    HeadlessWindow window;
    window.setRecordingWrites(true);
    writeSignalToNoise(in, signalToNoiseGrid(in), window);
    EXPECT_EQ(window.writes(), GetParam().writes);
    test::expectBoxes(window, GetParam().texts);
}

const std::vector<ResultBox> kBeyondHorizonWrites{Text26, Text30, Text34, Text31, Text35, Text32,
                                                  Text36, Text33, Text37, Text46, Text47, Text48};
const std::vector<ResultBox> kLineOfSightWrites{Text26, Text30, Text34, Text27, Text31, Text35, Text28, Text32,
                                                Text36, Text29, Text33, Text37, Text46, Text47, Text48};
const BoxTexts kLineOfSightTexts{{Text26, "Line of Sight"}, {Text27, "Line of Sight"}, {Text28, "Line of Sight"},
                                 {Text29, "Line of Sight"}, {Text30, "81.436"},        {Text34, "81.436"},
                                 {Text31, "81.436"},        {Text35, "81.436"},        {Text32, "81.436"},
                                 {Text36, "81.436"},        {Text33, "81.436"},        {Text37, "81.436"}};

INSTANTIATE_TEST_SUITE_P(
    Paths, SignalToNoiseTest,
    testing::Values(GridCase{"Default",
                             [](SignalToNoiseInputs&) {},
                             kBeyondHorizonWrites,
                             {{Text26, "198.07"},
                              {Text30, "16.531"},
                              {Text34, "16.531"},
                              {Text31, "20.532"},
                              {Text35, "20.532"},
                              {Text32, "24.787"},
                              {Text36, "24.787"},
                              {Text33, "21.078"},
                              {Text37, "21.078"},
                              {Text46, "220.05"},
                              {Text47, "-5.45"},
                              {Text48, "-5.45"}}},
                    GridCase{"LineOfSight", lineOfSight, kLineOfSightWrites,
                             test::concat(BoxTexts{{Text46, "Line of Sight"}, {Text47, "81.436"}, {Text48, "81.436"}},
                                          kLineOfSightTexts)},
                    // Line of sight comes first: methods out of range still get figures.
                    GridCase{"LineOfSightMethodsOutOfRange",
                             [](SignalToNoiseInputs& in) {
                                 lineOfSight(in);
                                 in.itt.inRange = false;
                                 in.collins.inRange = false;
                             },
                             kLineOfSightWrites, kLineOfSightTexts},
                    // At exactly 0° the Rider method is out of range, the others see line of sight.
                    GridCase{"ZeroScatteringAngle",
                             [](SignalToNoiseInputs& in) {
                                 in.lineOfSight = true;
                                 in.rider.verdict = RiderVerdict::OutOfRange;
                             },
                             {Text26, Text30, Text34, Text27, Text31, Text35, Text28, Text32, Text36, Text29, Text33,
                              Text37, Text47, Text48},
                             test::concat(BoxTexts{{Text47, "No Data"}, {Text48, "No Data"}}, kLineOfSightTexts)},
                    GridCase{"IttOutOfRange",
                             [](SignalToNoiseInputs& in) { in.itt.inRange = false; },
                             kBeyondHorizonWrites,
                             {{Text31, "No Data"}, {Text35, "No Data"}, {Text30, "16.531"}, {Text33, "21.078"}}},
                    GridCase{"CollinsOutOfRange",
                             [](SignalToNoiseInputs& in) { in.collins.inRange = false; },
                             kBeyondHorizonWrites,
                             {{Text33, "No Data"}, {Text37, "No Data"}, {Text31, "20.532"}}},
                    GridCase{"RiderOutOfRange",
                             [](SignalToNoiseInputs& in) { in.rider.verdict = RiderVerdict::OutOfRange; },
                             {Text26, Text30, Text34, Text31, Text35, Text32, Text36, Text33, Text37, Text47, Text48},
                             {{Text47, "No Data"}, {Text48, "No Data"}, {Text26, "198.07"}}}),
    test::CaseName());

TEST(SignalToNoiseTest, EachRowFollowsItsOwnReceiverAndTheOtherTransmitter) {
    const SignalToNoiseGrid reference = signalToNoiseGrid(defaultInputs());
    SignalToNoiseInputs louder = defaultInputs();
    louder.eirpDbw1 += 10;
    SignalToNoiseInputs quieter = defaultInputs();
    quieter.rxSensitivity1 -= 10;
    const SignalToNoiseGrid louderGrid = signalToNoiseGrid(louder);
    const SignalToNoiseGrid quieterGrid = signalToNoiseGrid(quieter);
    for (std::size_t m = 0; m < reference.size(); ++m) {
        EXPECT_NEAR(louderGrid[m].atStation2 - reference[m].atStation2, 10, 1e-9);
        EXPECT_EQ(louderGrid[m].atStation1, reference[m].atStation1);
        EXPECT_NEAR(quieterGrid[m].atStation1 - reference[m].atStation1, 10, 1e-9);
        EXPECT_EQ(quieterGrid[m].atStation2, reference[m].atStation2);
    }
}

TEST(SignalToNoiseTest, RiderFigureAtDefaultSettings) {
    const SignalToNoiseGrid grid = signalToNoiseGrid(defaultInputs());
    EXPECT_NEAR(grid[4].atStation1, -5.4502300, test::decimals(7));
}

}  // namespace
}  // namespace tropolink
