#include "engine/atmospheric_attenuation.h"

#include <gtest/gtest.h>

#include <string>

#include "engine/mask.h"
#include "pass_helpers.h"

namespace tropolink {
namespace {

using test::decimals;

struct AttenuationCase {
    double frequency;  // MHz
    double distance;   // km
    double specific;   // dB per 1000 km
    std::string shown;
};

class AttenuationTest : public testing::TestWithParam<AttenuationCase> {};

TEST_P(AttenuationTest, PolynomialOfTheBand) {
    const AttenuationCase& c = GetParam();
    EXPECT_NEAR(specificAttenuation(c.frequency), c.specific, decimals(5));
    EXPECT_EQ(applyMask(atmosphericAttenuation(c.frequency, c.distance), kMaskLoss).view(), c.shown);
}

INSTANTIATE_TEST_SUITE_P(Examples, AttenuationTest,
                         testing::Values(AttenuationCase{432, 250, 0.25963, ".06"},
                                         AttenuationCase{10000, 250, 13.71848, "3.43"},
                                         AttenuationCase{13000, 2000, 22.83780, "45.68"},  // low band
                                         AttenuationCase{13001, 2000, 22.26305, "44.53"},  // high band
                                         AttenuationCase{22235, 2000, 181.95803, "363.92"},
                                         AttenuationCase{25000, 2000, 154.26251, "308.53"},
                                         AttenuationCase{50, 1, 0.00379, "."}));

TEST(AttenuationTest, HighBandDipAndPeak) {
    EXPECT_NEAR(specificAttenuation(14207), 18.42, decimals(2));
    EXPECT_NEAR(specificAttenuation(23311), 192.48, decimals(2));
}

TEST(AttenuationTest, StepAtTheBandEdge) {
    EXPECT_NEAR(atmosphericAttenuation(13000, 2000) - atmosphericAttenuation(13001, 2000), 1.15, 0.01);
}

}  // namespace
}  // namespace tropolink
