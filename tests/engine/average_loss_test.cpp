#include "engine/average_loss.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "engine/mask.h"
#include "pass_helpers.h"

namespace tropolink {
namespace {

struct AverageCase {
    const char* name;
    double scatteringAngle;
    double yehLoss;
    double ccirLoss;
    CollinsResult collins;
    std::optional<std::string> shown;  // none on a line-of-sight path
};

class AverageLossTest : public testing::TestWithParam<AverageCase> {};

TEST_P(AverageLossTest, MeanOfTheValidLosses) {
    const AverageCase& c = GetParam();
    const std::optional<double> average = computeAverageLoss(c.scatteringAngle, c.yehLoss, c.ccirLoss, c.collins);
    ASSERT_EQ(average.has_value(), c.shown.has_value());
    if (average) {
        EXPECT_EQ(applyMask(*average, kMaskAverage).view(), *c.shown);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Examples, AverageLossTest,
    testing::Values(AverageCase{"ThreeLosses", 1.5, 221.0, 210.0, {0, true, 0, 214.9}, "215.3"},
                    AverageCase{"CollinsOutOfRange", 1.5, 221.0, 210.0, {0, false, 0, 214.9}, "215.5"},
                    // Rider's own threshold plays no part.
                    AverageCase{"BelowRiderThreshold", 0.05, 221.0, 210.0, {0, true, 0, 214.9}, "215.3"},
                    AverageCase{"ZeroAngle", 0, 221.0, 210.0, {0, true, 0, 214.9}, std::nullopt},
                    AverageCase{"NegativeAngle", -3.88, 221.0, 210.0, {0, true, 0, 214.9}, std::nullopt}),
    test::CaseName());

TEST(AverageLossTest, DefaultPass) {
    const PassValues v = test::valuesAt({});
    ASSERT_TRUE(v.averageLoss.has_value());
    EXPECT_NEAR(*v.averageLoss, 193.8057003, test::decimals(7));
}

}  // namespace
}  // namespace tropolink
