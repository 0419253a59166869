// The long runs of the workers: tens of megabytes of answers, kept out of the
// quick suite under their own label.
#include <gtest/gtest.h>

#include "batch_input.h"

namespace tropolink::cli {
namespace {

using testing_support::BatchOutput;
using testing_support::batchOn;
using testing_support::randomSettings;

TEST(JobsSoakTest, FourWorkersAnswerByteForByteAsOne) {
    const std::string input = randomSettings(100'000, 20261208);
    const BatchOutput one = batchOn(input, 1, false);
    const BatchOutput four = batchOn(input, 4, false);
    EXPECT_EQ(one.exitStatus, 2);  // some lines are refused
    EXPECT_EQ(four.exitStatus, one.exitStatus);
    EXPECT_GT(one.text.size(), 40'000'000U);  // most lines are answered
    EXPECT_TRUE(four.text == one.text) << "outputs differ";
}

}  // namespace
}  // namespace tropolink::cli
