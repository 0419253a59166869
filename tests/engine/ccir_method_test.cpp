#include "engine/ccir_method.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "pass_helpers.h"

namespace tropolink {
namespace {

using namespace test;
using enum Slider;

constexpr double kNotGiven = std::numeric_limits<double>::quiet_NaN();

void expectNearIfGiven(double actual, double expected, double tolerance, const char* what) {
    if (!std::isnan(expected)) {
        EXPECT_NEAR(actual, expected, tolerance) << what;
    }
}

struct CcirCase {
    const char* name;
    Settings settings;
    double x;  // radian·km
    double attenuation;
    double distanceCorrection;
    double loss;
};

class CcirMethodTest : public testing::TestWithParam<CcirCase> {};

TEST_P(CcirMethodTest, LossThroughThePass) {
    const CcirCase& c = GetParam();
    const PassValues v = valuesAt(c.settings);
    expectNearIfGiven(v.ccir.scatterAngleRad * v.params.distance, c.x, decimals(7), "x");
    expectNearIfGiven(v.ccir.attenuation, c.attenuation, decimals(7), "F");
    expectNearIfGiven(v.ccir.distanceCorrection, c.distanceCorrection, decimals(7), "Dc");
    expectNearIfGiven(v.ccir.loss, c.loss, decimals(7), "loss");
}

INSTANTIATE_TEST_SUITE_P(
    Examples, CcirMethodTest,
    testing::Values(CcirCase{"Default", {}, 6.5926952, 161.8784621, 3.5314375, 189.8172252},
                    CcirCase{"MiddleRange", {{HScroll22, 500}}, 27.6602784, 189.2851790, 0.0647524, 214.6700273},
                    CcirCase{"LastRange", {{HScroll22, 1500}}, 256.6794921, 267.6911908, 0, 283.5983665},
                    CcirCase{"Below50Km", {{HScroll22, 49}}, kNotGiven, kNotGiven, 0, 156.1680787},
                    CcirCase{"At50Km", {{HScroll22, 50}}, kNotGiven, kNotGiven, 2.7852431, 153.9521458},
                    CcirCase{"At700Km", {{HScroll22, 700}}, kNotGiven, kNotGiven, 1.9571233, kNotGiven},
                    CcirCase{"Beyond700Km", {{HScroll22, 701}}, kNotGiven, kNotGiven, 0, kNotGiven},
                    // Both radian take-off angles horizon limited: x negative, no attenuation term.
                    CcirCase{"NegativeX", concat(bothStations({{HScroll1, 900}}), {{HScroll23, 350}}), -0.1753242, 0,
                             kNotGiven, 27.8613711}),
    CaseName());

TEST(CcirMethodTest, DefaultGeometryAndDistanceCorrection) {
    const PassValues v = valuesAt({});
    EXPECT_NEAR(v.yeh.meanRefractivity, 309.6725031, decimals(7));
    EXPECT_NEAR(v.ccir.earthRadius, 8635.6453574, decimals(7));
    EXPECT_NEAR(v.ccir.scatterAngleRad, 0.0263708, decimals(7));
    EXPECT_NEAR(v.ccir.cutoffDistance, 40.7608161, decimals(7));
    EXPECT_NEAR(v.ccir.equivalentDistance, 339.2391839, decimals(7));
    EXPECT_NEAR(v.ccir.couplingLoss, 0.3644886, decimals(7));
    EXPECT_NEAR(ccirLoss(432, 250, 0, 0, 0), 31.1057121, decimals(7));  // 30·log10 f − 20·log10 d
}

TEST(CcirMethodTest, EquivalentDistanceWithinTheCutoff) {
    const PassValues v = valuesAt({{HScroll21, 50}, {HScroll22, 60}});
    EXPECT_NEAR(v.ccir.cutoffDistance, 82.7415042, decimals(7));
    EXPECT_NEAR(v.ccir.equivalentDistance, 94.2694972, decimals(7));
    EXPECT_NEAR(v.ccir.distanceCorrection, 1.4237273, decimals(7));
}

TEST(CcirMethodTest, NegativeXOnAPathBeyondTheHorizon) {
    const PassValues v = valuesAt(concat(bothStations({{HScroll1, 900}}), {{HScroll23, 350}}));
    EXPECT_NEAR(v.geometry.scatteringAngle, 0.0162, decimals(4));
    EXPECT_FALSE(v.geometry.lineOfSight);
    EXPECT_NEAR(v.ccir.scatterAngleRad, -0.0007013, decimals(7));
}

TEST(CcirMethodTest, CouplingLossFromTheGainSum) {
    EXPECT_NEAR(ccirCouplingLoss(0, 0), 0.07, 1e-15);
    EXPECT_NEAR(ccirCouplingLoss(50, 50), 17.1284353, decimals(7));
}

// Each fit is chosen on the unrounded x; the fits do not meet at 10 and 70.
struct AttenuationBoundCase {
    double x;
    double attenuation;  // dB at Ns = 310
};

class CcirAttenuationTest : public testing::TestWithParam<AttenuationBoundCase> {};

TEST_P(CcirAttenuationTest, FitOfTheRange) {
    EXPECT_NEAR(ccirAttenuation(GetParam().x, 310), GetParam().attenuation, 1e-6) << GetParam().x;
}

INSTANTIATE_TEST_SUITE_P(Bounds, CcirAttenuationTest,
                         testing::Values(AttenuationBoundCase{std::nextafter(0.01, 0.0), 0},
                                         AttenuationBoundCase{0.01, 75.0394003}, AttenuationBoundCase{10, 168.4359999},
                                         AttenuationBoundCase{std::nextafter(10.0, 11.0), 168.6921279},
                                         AttenuationBoundCase{70, 213.6706214},
                                         AttenuationBoundCase{std::nextafter(70.0, 71.0), 213.3643134},
                                         AttenuationBoundCase{0, 0}, AttenuationBoundCase{-5, 0}));

}  // namespace
}  // namespace tropolink
