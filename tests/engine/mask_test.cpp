#include "engine/mask.h"

#include <gtest/gtest.h>

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

INSTANTIATE_TEST_SUITE_P(Examples, MaskTest,
                         testing::Values(MaskCase{198.0732357, kMaskLoss, "198.07"},
                                         MaskCase{-180.6043771, kMaskLoss, "-180.6"},
                                         MaskCase{12, kMaskLoss, "12."},
                                         MaskCase{0.0649075, kMaskLoss, ".06"},
                                         MaskCase{-5.4502299, kMaskSignalToNoise, "-5.45"},
                                         MaskCase{2.1052642, kMaskTwoDecimals, "2.11"},
                                         MaskCase{-0.0741626, kMaskAngle, "-0.074"},
                                         MaskCase{2, kMaskAngle, "2."},
                                         MaskCase{0.3644886, kMaskCoupling, "0.36"},
                                         MaskCase{193.8057003, kMaskAverage, "193.8"},
                                         MaskCase{0, kMaskLoss, "."},
                                         MaskCase{0, kMaskAngle, "0."}));

}  // namespace
}  // namespace tropolink
