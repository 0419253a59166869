#include "engine/mask.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <limits>
#include <random>
#include <string>

namespace tropolink {
namespace {

struct MaskCase {
    double value;
    Mask mask;
    std::string expected;
};

class MaskTest : public testing::TestWithParam<MaskCase> {};

TEST_P(MaskTest, FormatsLikeTheWindow) {
    const MaskCase& c = GetParam();
    EXPECT_EQ(applyMask(c.value, c.mask).view(), c.expected) << c.mask.literal << " " << c.value;
}

INSTANTIATE_TEST_SUITE_P(
    Examples, MaskTest,
    testing::Values(MaskCase{198.0732357, kMaskLoss, "198.07"}, MaskCase{-180.6043771, kMaskLoss, "-180.6"},
                    MaskCase{12, kMaskLoss, "12."}, MaskCase{0.0649075, kMaskLoss, ".06"},
                    MaskCase{-5.4502299, kMaskSignalToNoise, "-5.45"}, MaskCase{2.1052642, kMaskTwoDecimals, "2.11"},
                    MaskCase{-0.0741626, kMaskAngle, "-0.074"}, MaskCase{2, kMaskAngle, "2."},
                    MaskCase{0.3644886, kMaskCoupling, "0.36"}, MaskCase{193.8057003, kMaskAverage, "193.8"},
                    MaskCase{0, kMaskLoss, "."}, MaskCase{0, kMaskAngle, "0."}));

// Ties are decided on the 15-digit text, half away from zero.
INSTANTIATE_TEST_SUITE_P(Ties, MaskTest,
                         testing::Values(MaskCase{0.125, kMaskLoss, ".13"}, MaskCase{-0.125, kMaskLoss, "-.13"},
                                         MaskCase{2.5, kMaskAverage, "2.5"}, MaskCase{0.25, kMaskAverage, ".3"},
                                         MaskCase{-0.25, kMaskAverage, "-.3"}, MaskCase{0.0005, kMaskAngle, "0.001"},
                                         MaskCase{-0.0005, kMaskAngle, "-0.001"}, MaskCase{-0.005, kMaskLoss, "-.01"},
                                         // Binary just below the tie, 15-digit text on it.
                                         MaskCase{1.005, kMaskLoss, "1.01"}, MaskCase{-1.005, kMaskLoss, "-1.01"},
                                         MaskCase{2.675, kMaskTwoDecimals, "2.68"},
                                         MaskCase{1.0005, kMaskAngle, "1.001"}, MaskCase{0.015, kMaskCoupling, "0.02"},
                                         MaskCase{1.45, kMaskAverage, "1.5"}, MaskCase{130.005, kMaskLoss, "130.01"},
                                         // Only the 15-digit reduction makes this a tie.
                                         MaskCase{0.1249999999999999, kMaskLoss, ".13"},
                                         // Just below a tie on the 15-digit text as well.
                                         MaskCase{0.12499999999999, kMaskLoss, ".12"},
                                         // A carry that adds an integer digit.
                                         MaskCase{9.996, kMaskLoss, "10."}, MaskCase{-99.96, kMaskAverage, "-100."},
                                         MaskCase{0.9995, kMaskAngle, "1."}));

// A value that rounds to zero shows no minus sign.
INSTANTIATE_TEST_SUITE_P(Zeros, MaskTest,
                         testing::Values(MaskCase{-0.0, kMaskLoss, "."}, MaskCase{-0.0, kMaskAngle, "0."},
                                         MaskCase{-0.004, kMaskLoss, "."}, MaskCase{-0.0004, kMaskAngle, "0."},
                                         MaskCase{-0.04, kMaskAverage, "."}, MaskCase{-0.0049999, kMaskCoupling, "0."},
                                         MaskCase{1e-300, kMaskSignalToNoise, "."},
                                         MaskCase{0.004, kMaskCoupling, "0."}));

// The placeholders before the point neither limit nor pad the integer part.
INSTANTIATE_TEST_SUITE_P(
    Widths, MaskTest,
    testing::Values(MaskCase{164.3167673, kMaskTwoDecimals, "164.32"}, MaskCase{0.5196152, kMaskTwoDecimals, ".52"},
                    MaskCase{12345.678, kMaskTwoDecimals, "12345.68"}, MaskCase{1242.7, kMaskMiles, "1242.7"},
                    MaskCase{-572.957795, kMaskAngle, "-572.958"}, MaskCase{1e6, kMaskCoupling, "1000000."},
                    MaskCase{1e20, kMaskLoss, "100000000000000000000."},
                    // 15 significant digits, then zeros: never an exponent.
                    MaskCase{123456789012345.67, kMaskLoss, "123456789012346."}, MaskCase{0.05, kMaskCoupling, "0.05"},
                    MaskCase{0.05, kMaskLoss, ".05"}, MaskCase{7.1, kMaskSignalToNoise, "7.1"},
                    MaskCase{81.436, kMaskSignalToNoise, "81.436"}));

TEST(MaskTest, LargestDoubleHasNoExponent) {
    const std::string text(applyMask(std::numeric_limits<double>::max(), kMaskLoss).view());
    EXPECT_EQ(text.size(), 310U);  // 309 integer digits and the point
    EXPECT_EQ(text.substr(0, 15), "179769313486232");
    EXPECT_EQ(text.find_first_not_of('0', 15), 309U);
}

struct EchoCase {
    double value;
    std::string expected;
};

class EchoTest : public testing::TestWithParam<EchoCase> {};

TEST_P(EchoTest, BlankOrMinusThenShortestDigits) {
    EXPECT_EQ(echoText(GetParam().value).view(), GetParam().expected) << GetParam().value;
}

INSTANTIATE_TEST_SUITE_P(Examples, EchoTest,
                         testing::Values(EchoCase{10, " 10"}, EchoCase{0, " 0"}, EchoCase{-0.0, " 0"},
                                         EchoCase{0.5, " .5"}, EchoCase{1.5, " 1.5"}, EchoCase{2700, " 2700"},
                                         EchoCase{0.1, " .1"}, EchoCase{0.001, " .001"}, EchoCase{10000, " 10000"},
                                         EchoCase{1500, " 1500"}, EchoCase{-2.5, "-2.5"}, EchoCase{-0.5, "-.5"},
                                         EchoCase{-100, "-100"},
                                         // Binary noise beyond 15 digits is not shown.
                                         EchoCase{0.1 + 0.2, " .3"}, EchoCase{123456789.123456789, " 123456789.123457"},
                                         EchoCase{1e20, " 100000000000000000000"}));

// The tenths echo made from the integer equals the echo of the double, over
// every position of every tenths slider and far beyond.
TEST(EchoTest, TenthsFromTheIntegerMatchTheDouble) {
    for (int position = -20'000; position <= 20'000; ++position)
        ASSERT_EQ(echoTenthsText(position).view(), echoText(position / 10.0).view()) << position;
    for (const int position : {std::numeric_limits<int>::min(), std::numeric_limits<int>::max(), -1'234'567'891})
        EXPECT_EQ(echoTenthsText(position).view(), echoText(position / 10.0).view()) << position;
}

double viaText(double value) {
    char text[32];
    const auto end = std::to_chars(text, text + sizeof text, value, std::chars_format::scientific, 14).ptr;
    double back = 0;
    std::from_chars(text, end, back);
    return back;
}

// Rounding to 15 digits in arithmetic gives the double that the text of those digits reads back to.
TEST(RoundTo15Test, SameDoubleAsThroughText) {
    std::mt19937_64 random(15);
    std::uniform_real_distribution<double> exponent(-30, 30);
    for (int i = 0; i < 200'000; ++i) {
        const double value = std::pow(10.0, exponent(random)) * (i % 2 == 0 ? 1 : -1);
        ASSERT_EQ(roundToSignificant15(value), viaText(value)) << value;
    }
    for (const double value : {0.0, -0.0, 1.0, 0.1, 8494.99999999999, 6370.0, 1e22, 1e-22, 9.999999999999995e14,
                               std::numeric_limits<double>::max(), std::numeric_limits<double>::denorm_min()})
        EXPECT_EQ(std::signbit(roundToSignificant15(value)), std::signbit(viaText(value))) << value;
    for (const double value : {1.0, 0.1, 8494.99999999999, 1e22, 1e-22, 9.999999999999995e14,
                               std::numeric_limits<double>::max(), std::numeric_limits<double>::denorm_min()})
        EXPECT_EQ(roundToSignificant15(value), viaText(value)) << value;
}

}  // namespace
}  // namespace tropolink
