#include "engine/collins_method.h"

#include <gtest/gtest.h>

#include <cmath>
#include <optional>

#include "pass_helpers.h"

namespace tropolink {
namespace {

using namespace test;
using enum Slider;

constexpr double kDefaultDistanceKm = 250;
constexpr double kReferenceFrequencyMHz = 1000;  // no frequency term

// The distance term alone: no frequency, take-off (10 × 0) or coupling term.
double distanceTerm(double distance) { return collinsLoss(distance, kReferenceFrequencyMHz, 0, 0); }
double takeOffTerm(double distance, double takeOffSum) {
    return collinsLoss(distance, kReferenceFrequencyMHz, takeOffSum, 0) - distanceTerm(distance);
}

TEST(CollinsMethodTest, WorkedExampleBelowHalfADegree) {
    const PassValues v = valuesAt({});
    EXPECT_NEAR(v.collins.takeOffSum, -0.1595576, decimals(7));
    EXPECT_NEAR(takeOffTerm(kDefaultDistanceKm, v.collins.takeOffSum), -1.5955764, decimals(7));
    EXPECT_NEAR(distanceTerm(kDefaultDistanceKm), 206.0577040, decimals(7));
    EXPECT_NEAR(collinsLoss(kDefaultDistanceKm, 432, 0, 0) - distanceTerm(kDefaultDistanceKm), -10.9354875,
                decimals(7));
    EXPECT_TRUE(v.collins.inRange);
    EXPECT_LT(v.collins.couplingLoss, 1e-9);
    EXPECT_NEAR(v.collins.loss, 193.5266401, decimals(7));
}

TEST(CollinsMethodTest, InterpolationAndCoupling) {
    const PassValues v = valuesAt(bothStations({{HScroll2, 200}, {HScroll3, 10}, {HScroll8, 400}}));
    EXPECT_NEAR(v.beamwidth1, 1.6431677, decimals(7));
    EXPECT_NEAR(v.collins.takeOffSum, 2.0873074, decimals(7));
    EXPECT_NEAR(takeOffTerm(kDefaultDistanceKm, v.collins.takeOffSum), 22.0404211, decimals(7));
    EXPECT_NEAR(v.geometry.scatteringAngle, 3.7960225, decimals(7));
    EXPECT_NEAR(v.collins.couplingLoss, 13.3664828, decimals(7));
    EXPECT_NEAR(v.collins.loss, 230.5291204, decimals(7));
}

TEST(CollinsMethodTest, TakeOffTermJumpsAtHalfADegree) {
    // At 0.5° the 0.5° curve: 9.905 − 0.01143 × 155.35 miles.
    EXPECT_NEAR(takeOffTerm(kDefaultDistanceKm, 0.5), 9.905 - 0.01143 * 155.35, 1e-9);
    EXPECT_NEAR(takeOffTerm(kDefaultDistanceKm, std::nextafter(0.5, 0.0)), 5, 1e-9);
    EXPECT_NEAR(takeOffTerm(kDefaultDistanceKm, 4), 46.1714 - 0.04743 * 155.35, 1e-9);
}

TEST(CollinsMethodTest, TakeOffBelowTheHorizonIsRaisedToIt) {
    // Station 1 at 1000 m looks down on its 5 m obstruction far below its horizon.
    const LinkParameters p = paramsAt({{HScroll1, 1000}});
    const PathGeometry g = computePathGeometry(p);
    EXPECT_NEAR(collinsTakeOffSum(p, g.station1.horizonDistance, g.station2.horizonDistance), -1.2506251, decimals(7));
}

struct RangeCase {
    const char* name;
    int distance;                // km
    std::optional<double> loss;  // none: "Out of Range"
};

class CollinsRangeTest : public testing::TestWithParam<RangeCase> {};

TEST_P(CollinsRangeTest, MoreThan100MilesLessThan1000Km) {
    const PassValues v = valuesAt({{HScroll22, GetParam().distance}});
    ASSERT_EQ(v.collins.inRange, GetParam().loss.has_value());
    if (GetParam().loss) {
        EXPECT_NEAR(v.collins.loss, *GetParam().loss, decimals(7));
    }
}

INSTANTIATE_TEST_SUITE_P(Distances, CollinsRangeTest,
                         testing::Values(RangeCase{"Km160", 160, std::nullopt}, RangeCase{"Km161", 161, 181.5591598},
                                         RangeCase{"Km999", 999, 255.7058311}, RangeCase{"Km1000", 1000, std::nullopt}),
                         CaseName());

TEST(CollinsRangeTest, TakeOffSumUpToFourDegrees) {
    EXPECT_TRUE(collinsInRange(kDefaultDistanceKm, 4));
    EXPECT_FALSE(collinsInRange(kDefaultDistanceKm, std::nextafter(4.0, 5.0)));
    EXPECT_TRUE(collinsInRange(kDefaultDistanceKm, -10));
}

TEST(CollinsRangeTest, OutOfRangeComputesNoLoss) {
    const LinkParameters p = paramsAt({{HScroll22, 1000}});
    const CollinsResult r = computeCollinsMethod(p, computePathGeometry(p), 29.22, 29.22);
    EXPECT_FALSE(r.inRange);
    EXPECT_EQ(r.loss, 0);
}

}  // namespace
}  // namespace tropolink
