#include "engine/yeh_method.h"

#include <gtest/gtest.h>

#include "engine/free_space_loss.h"
#include "engine/mask.h"
#include "engine/receiver.h"
#include "pass_helpers.h"

namespace tropolink {
namespace {

using namespace test;

constexpr double kFrequencyMHz = 432;
constexpr double kBeamwidth15DbiDeg = 29.2201124;

// The angle-and-frequency term alone: no free-space loss, coupling or refractivity correction.
double angleAndFrequencyTerm(double frequency, double scatteringAngle) {
    return yehLoss(0, frequency, scatteringAngle, 0, 310);
}

TEST(YehMethodTest, WorkedExampleAtTwoDegrees) {
    const double l0 = lineOfSightLoss(250, kFrequencyMHz);
    EXPECT_NEAR(l0, 133.1684747, decimals(7));
    EXPECT_NEAR(angleAndFrequencyTerm(kFrequencyMHz, 2), 67.3548375, decimals(7));
    const YehResult r = computeYehMethod(kFrequencyMHz, 310, 0.01, 0.01, 2, l0, beamwidth(15), beamwidth(15));
    EXPECT_NEAR(r.couplingLoss, 2.1368920, decimals(7));
    EXPECT_EQ(applyMask(r.couplingLoss, kMaskTwoDecimals).view(), "2.14");
    EXPECT_NEAR(r.meanRefractivity, 309.6725031, decimals(7));
    EXPECT_NEAR(r.loss, 202.7257035, decimals(7));
    EXPECT_EQ(applyMask(r.loss, kMaskLoss).view(), "202.73");
}

TEST(YehMethodTest, DefaultPass) {
    const PassValues v = valuesAt({});
    EXPECT_NEAR(v.geometry.scatteringAngle, 1.5379160, decimals(7));
    EXPECT_NEAR(v.yeh.couplingLoss, 2.1052642, decimals(7));
    EXPECT_NEAR(v.yeh.loss, 198.0732357, decimals(7));
}

struct CouplingCase {
    double scatteringAngle;
    double beamwidth;
    double couplingLoss;
    std::string shown;
};

class YehCouplingTest : public testing::TestWithParam<CouplingCase> {};

TEST_P(YehCouplingTest, SignedAngleOverBeamwidths) {
    const CouplingCase& c = GetParam();
    const double loss = yehCouplingLoss(c.scatteringAngle, c.beamwidth, c.beamwidth);
    EXPECT_NEAR(loss, c.couplingLoss, decimals(7));
    EXPECT_EQ(applyMask(loss, kMaskTwoDecimals).view(), c.shown);
}

INSTANTIATE_TEST_SUITE_P(Angles, YehCouplingTest,
                         testing::Values(CouplingCase{0, kBeamwidth15DbiDeg, 2, "2."},
                                         CouplingCase{-0.5, kBeamwidth15DbiDeg, 1.9657770, "1.97"},
                                         CouplingCase{2, beamwidth(50), 9.6980036, "9.7"}));

TEST(YehCouplingTest, WideBeamsStayCloseToTwo) {
    EXPECT_NEAR(beamwidth(0), 164.3167673, decimals(7));
    EXPECT_NEAR(yehCouplingLoss(2, beamwidth(0), beamwidth(0)), 2, 0.025);
}

struct RefractivityCase {
    double surfaceRefractivity;
    double antennaHeight;  // km, both stations
    double meanRefractivity;
    double correction;  // dB, subtracted from the loss
    double tolerance = decimals(7);
};

class YehRefractivityTest : public testing::TestWithParam<RefractivityCase> {};

TEST_P(YehRefractivityTest, CorrectionAtAntennaHeight) {
    const RefractivityCase& c = GetParam();
    const double ns = meanRefractivity(c.surfaceRefractivity, c.antennaHeight, c.antennaHeight);
    if (c.meanRefractivity > 0) {
        EXPECT_NEAR(ns, c.meanRefractivity, decimals(7));
    }
    EXPECT_NEAR(angleAndFrequencyTerm(kFrequencyMHz, 2) - yehLoss(0, kFrequencyMHz, 2, 0, ns), c.correction,
                c.tolerance);
}

INSTANTIATE_TEST_SUITE_P(Heights, YehRefractivityTest,
                         testing::Values(RefractivityCase{310, 0.01, 309.6725031, -0.0654994},
                                         // -0.00655305 cut, not rounded, to seven decimals.
                                         RefractivityCase{310, 0.001, 309.9672347, -0.0065530, 1e-7},
                                         RefractivityCase{270, 0.01, 0, -8.0570478},
                                         RefractivityCase{350, 0.01, 0, 7.9260491},
                                         RefractivityCase{310, 10, 107.7239889, -40.4552022}));

}  // namespace
}  // namespace tropolink
