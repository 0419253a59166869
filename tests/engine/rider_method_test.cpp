#include "engine/rider_method.h"

#include <gtest/gtest.h>

#include <cmath>

#include "pass_helpers.h"

namespace tropolink {
namespace {

using test::decimals;

constexpr double kNoRefractivityTerm = 330;

TEST(RiderMethodTest, DefaultPass) {
    const PassValues v = test::valuesAt({});
    const double theta = v.geometry.scatteringAngle;
    EXPECT_NEAR(riderLoss(432, 250, theta, kNoRefractivityTerm, 0), 209.3493427, decimals(7));
    EXPECT_EQ(v.rider.verdict, RiderVerdict::Valid);
    EXPECT_NEAR(v.rider.loss, 220.0546069, decimals(7));
}

struct LossCase {
    double frequency;
    double distance;
    double scatteringAngle;
    double surfaceRefractivity;
    double couplingLoss;
    double loss;
};

class RiderLossTest : public testing::TestWithParam<LossCase> {};

TEST_P(RiderLossTest, ClosedForm) {
    const LossCase& c = GetParam();
    EXPECT_NEAR(riderLoss(c.frequency, c.distance, c.scatteringAngle, c.surfaceRefractivity, c.couplingLoss), c.loss,
                decimals(7));
}

INSTANTIATE_TEST_SUITE_P(Examples, RiderLossTest,
                         testing::Values(LossCase{432, 250, 2, kNoRefractivityTerm, 0, 215.0542117},
                                         LossCase{432, 250, 2, 310, 3.0, 226.6542117},
                                         // Not exactly 199: the factors are cut to their digits.
                                         LossCase{1000, 100, 1, kNoRefractivityTerm, 0, 198.9999993}));

TEST(RiderLossTest, RefractivityTerm) {
    const double reference = riderLoss(432, 250, 2, kNoRefractivityTerm, 0);
    EXPECT_NEAR(riderLoss(432, 250, 2, 270, 0) - reference, 25.8, 1e-9);
    EXPECT_NEAR(riderLoss(432, 250, 2, 350, 0) - reference, -8.6, 1e-9);
}

TEST(RiderLossTest, JustAboveATenthOfADegree) {
    const double theta = std::nextafter(0.1, 1.0);
    EXPECT_NEAR(riderLoss(1, 1, theta, kNoRefractivityTerm, 0) - 49, -50, 1e-5);
}

struct VerdictCase {
    double scatteringAngle;
    RiderVerdict verdict;
};

class RiderVerdictTest : public testing::TestWithParam<VerdictCase> {};

TEST_P(RiderVerdictTest, OwnThresholds) {
    EXPECT_EQ(riderVerdict(GetParam().scatteringAngle), GetParam().verdict) << GetParam().scatteringAngle;
    EXPECT_EQ(computeRiderMethod(432, 250, 310, GetParam().scatteringAngle, 2).verdict, GetParam().verdict);
}

INSTANTIATE_TEST_SUITE_P(
    Angles, RiderVerdictTest,
    testing::Values(VerdictCase{-3.88, RiderVerdict::LineOfSight}, VerdictCase{-0.001, RiderVerdict::LineOfSight},
                    VerdictCase{0, RiderVerdict::OutOfRange}, VerdictCase{-0.0, RiderVerdict::OutOfRange},
                    VerdictCase{0.05, RiderVerdict::OutOfRange}, VerdictCase{0.1, RiderVerdict::OutOfRange},
                    VerdictCase{std::nextafter(0.1, 1.0), RiderVerdict::Valid},
                    VerdictCase{1.5379160, RiderVerdict::Valid}));

}  // namespace
}  // namespace tropolink
