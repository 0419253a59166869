#include "engine/free_space_loss.h"

#include <gtest/gtest.h>

#include "pass_helpers.h"

namespace tropolink {
namespace {

using test::decimals;

struct FreeSpaceCase {
    double distance;   // km
    double frequency;  // MHz
    double lineOfSight;
    double perfectDuct;
};

class FreeSpaceLossTest : public testing::TestWithParam<FreeSpaceCase> {};

TEST_P(FreeSpaceLossTest, BothReferenceLosses) {
    const FreeSpaceCase& c = GetParam();
    EXPECT_NEAR(lineOfSightLoss(c.distance, c.frequency), c.lineOfSight, decimals(5));
    EXPECT_NEAR(perfectDuctLoss(c.distance, c.frequency), c.perfectDuct, decimals(5));
}

INSTANTIATE_TEST_SUITE_P(Examples, FreeSpaceLossTest,
                         testing::Values(FreeSpaceCase{250, 432, 133.16847, 109.18907},
                                         // The distance terms vanish; the constant is 32.5.
                                         FreeSpaceCase{1, 50, 66.47940, 66.47940},
                                         FreeSpaceCase{2000, 25000, 186.47940, 153.46910}));

TEST(FreeSpaceLossTest, DefaultPathToSevenDecimals) {
    EXPECT_NEAR(lineOfSightLoss(250, 432), 133.1684747, decimals(7));
}

}  // namespace
}  // namespace tropolink
