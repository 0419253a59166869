#include "grammar/number_position.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <random>
#include <string>

namespace tropolink::cli {
namespace {

struct TextCase {
    double value;
    std::string text;
};

class PlainDecimalTest : public testing::TestWithParam<TextCase> {};

TEST_P(PlainDecimalTest, ShortestDigitsWithoutExponent) { EXPECT_EQ(plainDecimal(GetParam().value), GetParam().text); }

INSTANTIATE_TEST_SUITE_P(Numbers, PlainDecimalTest,
                         testing::Values(TextCase{300, "300"}, TextCase{0.3, "0.3"}, TextCase{0.35, "0.35"},
                                         TextCase{1e-5, "0.00001"}, TextCase{1e22, "10000000000000000000000"},
                                         TextCase{-2.5, "-2.5"}, TextCase{-0.0, "-0"},
                                         TextCase{0.1 + 0.2, "0.30000000000000004"},
                                         TextCase{std::numeric_limits<double>::quiet_NaN(), "nan"},
                                         TextCase{-std::numeric_limits<double>::infinity(), "-inf"}));

// The number reads exactly as its text does, whichever way it is read.
void expectAsText(double value, int positionsPerUnit) {
    const DecimalPosition fromText = decimalToPosition(plainDecimal(value), positionsPerUnit);
    const DecimalPosition fromNumber = numberToPosition(value, positionsPerUnit);
    ASSERT_EQ(fromNumber.status, fromText.status) << plainDecimal(value) << " per unit " << positionsPerUnit;
    if (fromText.status == DecimalStatus::Ok) {
        ASSERT_EQ(fromNumber.position, fromText.position) << value;
    }
}

TEST(NumberToPositionTest, GridValuesAndTheirNeighbours) {
    for (const int perUnit : {1, 10})
        for (int position = -20; position <= 20000; ++position) {
            const double value = static_cast<double>(position) / perUnit;
            expectAsText(value, perUnit);
            expectAsText(std::nextafter(value, 1e300), perUnit);
            expectAsText(std::nextafter(value, -1e300), perUnit);
            EXPECT_EQ(numberToPosition(value, perUnit).position, position);
        }
}

TEST(NumberToPositionTest, RandomNumbers) {
    std::mt19937_64 random(11);
    std::uniform_real_distribution<double> near(-2, 20000);
    std::uniform_int_distribution<std::uint64_t> bits;
    for (int i = 0; i < 200000; ++i) {
        for (const int perUnit : {1, 10}) {
            expectAsText(near(random), perUnit);
            expectAsText(std::round(near(random) * 100) / 100, perUnit);
            const std::uint64_t b = bits(random);
            double any = 0;
            std::memcpy(&any, &b, sizeof any);
            expectAsText(any, perUnit);
        }
    }
}

TEST(NumberToPositionTest, Refusals) {
    EXPECT_EQ(numberToPosition(0.35, 10).status, DecimalStatus::OffGrid);
    EXPECT_EQ(numberToPosition(1.5, 1).status, DecimalStatus::OffGrid);
    EXPECT_EQ(numberToPosition(0.1 + 0.2, 10).status, DecimalStatus::OffGrid);
    EXPECT_EQ(numberToPosition(std::numeric_limits<double>::quiet_NaN(), 1).status, DecimalStatus::NotANumber);
    EXPECT_EQ(numberToPosition(std::numeric_limits<double>::infinity(), 10).status, DecimalStatus::NotANumber);
    EXPECT_EQ(numberToPosition(1e300, 1).status, DecimalStatus::Ok);  // saturates, far out of every range
    EXPECT_GT(numberToPosition(1e300, 1).position, 100000);
}

}  // namespace
}  // namespace tropolink::cli
