#include "engine/itt_method.h"

#include <gtest/gtest.h>

#include <cmath>

#include "engine/free_space_loss.h"
#include "pass_helpers.h"

namespace tropolink {
namespace {

using test::decimals;

constexpr double kReferenceFrequencyMHz = 900;  // no frequency term

double angleTerm(double milliradians) { return ittLoss(0, milliradians / 1000, kReferenceFrequencyMHz); }

TEST(IttMethodTest, WorkedExample) {
    constexpr double kScatterAngleRad = 0.0263707806;
    EXPECT_TRUE(ittInRange(kScatterAngleRad));
    EXPECT_NEAR(angleTerm(26.3707806), 64.0912201, decimals(7));
    EXPECT_NEAR(ittLoss(0, kScatterAngleRad, 432) - angleTerm(26.3707806), -3.1875876, decimals(7));
    const IttResult r = computeIttMethod(432, kScatterAngleRad, lineOfSightLoss(250, 432));
    EXPECT_TRUE(r.inRange);
    EXPECT_NEAR(r.loss, 194.0721072, decimals(7));
}

TEST(IttMethodTest, DefaultPassUsesTheRadianAngleOfTheCcirEarth) {
    const PassValues v = test::valuesAt({});
    EXPECT_NEAR(v.ccir.scatterAngleRad, 0.0263708, decimals(7));
    EXPECT_NEAR(v.itt.loss, 194.0721072, decimals(7));
}

struct PolynomialCase {
    double milliradians;
    double angleTerm;
    double tolerance;
};

class IttPolynomialTest : public testing::TestWithParam<PolynomialCase> {};

TEST_P(IttPolynomialTest, QuarticInMilliradians) {
    EXPECT_NEAR(angleTerm(GetParam().milliradians), GetParam().angleTerm, GetParam().tolerance);
}

INSTANTIATE_TEST_SUITE_P(Angles, IttPolynomialTest,
                         testing::Values(PolynomialCase{8, 41.8146800, decimals(7)},
                                         PolynomialCase{50, 79.7942, decimals(4)},
                                         PolynomialCase{100, 109.7962, decimals(4)}));

// The largest and the smallest radian angles whose milliradians fall below and above a bound.
double justBelow(double milliradians) {
    double rad = milliradians / 1000;
    while (1000 * rad >= milliradians) rad = std::nextafter(rad, 0.0);
    return rad;
}
double justAbove(double milliradians) {
    double rad = milliradians / 1000;
    while (1000 * rad <= milliradians) rad = std::nextafter(rad, 1.0);
    return rad;
}

TEST(IttRangeTest, BothBoundsIncluded) {
    for (double bound : {8.0, 100.0}) {
        ASSERT_EQ(1000 * (bound / 1000), bound);
        EXPECT_TRUE(ittInRange(bound / 1000)) << bound;
    }
    EXPECT_FALSE(ittInRange(justBelow(8)));
    EXPECT_TRUE(ittInRange(justAbove(8)));
    EXPECT_TRUE(ittInRange(justBelow(100)));
    EXPECT_FALSE(ittInRange(justAbove(100)));
    EXPECT_FALSE(ittInRange(-0.01));
    EXPECT_FALSE(ittInRange(0));
}

TEST(IttRangeTest, OutOfRangeGivesNoLoss) {
    EXPECT_FALSE(computeIttMethod(432, justAbove(100), 133).inRange);
    EXPECT_FALSE(computeIttMethod(432, -0.0007013, 133).inRange);
}

}  // namespace
}  // namespace tropolink
