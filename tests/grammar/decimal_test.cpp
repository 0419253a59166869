#include "grammar/decimal.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace tropolink::cli {
namespace {

struct DecimalCase {
    std::string text;
    int positionsPerUnit;
    DecimalStatus status;
    long long position;  // checked when Ok
};

class DecimalTest : public testing::TestWithParam<DecimalCase> {};

TEST_P(DecimalTest, ReadsExactly) {
    const DecimalCase& c = GetParam();
    const DecimalPosition p = decimalToPosition(c.text, c.positionsPerUnit);
    EXPECT_EQ(p.status, c.status) << c.text;
    if (c.status == DecimalStatus::Ok) {
        EXPECT_EQ(p.position, c.position) << c.text;
    }
}

constexpr auto kOk = DecimalStatus::Ok;
constexpr auto kNaN = DecimalStatus::NotANumber;
constexpr auto kOff = DecimalStatus::OffGrid;

INSTANTIATE_TEST_SUITE_P(Grid, DecimalTest,
                         testing::Values(DecimalCase{"0.3", 10, kOk, 3},  // 0.3 × 10 in doubles is 2.9999…
                                         DecimalCase{"0.35", 10, kOff, 0}, DecimalCase{"0.05", 10, kOff, 0},
                                         DecimalCase{"0.30", 10, kOk, 3}, DecimalCase{"1.0", 1, kOk, 1},
                                         DecimalCase{"1.000000000000000000000000000001", 1, kOff, 0},
                                         DecimalCase{"1.5", 1, kOff, 0}, DecimalCase{".5", 10, kOk, 5},
                                         DecimalCase{"3.", 1, kOk, 3}, DecimalCase{"1500", 10, kOk, 15000},
                                         DecimalCase{"0.1", 10, kOk, 1}, DecimalCase{"10000", 1, kOk, 10000},
                                         DecimalCase{"007", 1, kOk, 7}));

INSTANTIATE_TEST_SUITE_P(Signs, DecimalTest,
                         testing::Values(DecimalCase{"+5", 1, kOk, 5}, DecimalCase{"-5", 1, kOk, -5},
                                         DecimalCase{"-0", 1, kOk, 0}, DecimalCase{"-0.0", 10, kOk, 0},
                                         DecimalCase{"+-5", 1, kNaN, 0}, DecimalCase{"--5", 1, kNaN, 0},
                                         DecimalCase{"+", 1, kNaN, 0}, DecimalCase{"-", 1, kNaN, 0}));

INSTANTIATE_TEST_SUITE_P(NotPlainDecimals, DecimalTest,
                         testing::Values(DecimalCase{"", 1, kNaN, 0}, DecimalCase{".", 1, kNaN, 0},
                                         DecimalCase{"1e309", 1, kNaN, 0}, DecimalCase{"1e3", 1, kNaN, 0},
                                         DecimalCase{"0x10", 1, kNaN, 0}, DecimalCase{"inf", 1, kNaN, 0},
                                         DecimalCase{"nan", 1, kNaN, 0}, DecimalCase{" 5", 1, kNaN, 0},
                                         DecimalCase{"5 ", 1, kNaN, 0}, DecimalCase{"1,5", 10, kNaN, 0},
                                         DecimalCase{"1..5", 10, kNaN, 0},
                                         DecimalCase{std::string("5\0", 2), 1, kNaN, 0},
                                         DecimalCase{"\xEF\xBC\x95", 1, kNaN, 0}));  // a full-width 5

// Far too large values saturate instead of overflowing, and stay out of range.
TEST(DecimalTest, HugeValuesSaturate) {
    const DecimalPosition p = decimalToPosition(std::string(400, '9'), 10);
    EXPECT_EQ(p.status, DecimalStatus::Ok);
    EXPECT_GT(p.position, 1'000'000'000LL);
    EXPECT_LT(decimalToPosition("-" + std::string(400, '9'), 10).position, -1'000'000'000LL);
    EXPECT_EQ(decimalToPosition(std::string(400, '0') + "1", 1).position, 1);
}

struct CompareCase {
    std::string a;
    std::string b;
    std::optional<int> sign;
};

// Exact at any length, where doubles would call both sides equal.
TEST(DecimalTest, ComparesExactly) {
    const std::string tiny = "0." + std::string(399, '0') + "1";
    const std::vector<CompareCase> cases{
        {"99.999999999999999999", "100", -1},
        {"100.0000000000000001", "100", 1},
        {"100.000", "100", 0},
        {"-0", "0", 0},
        {"-0.0", "+0", 0},
        {tiny, "0", 1},
        {"-" + tiny, "0", -1},
        {"007", "7", 0},
        {".5", "0.50", 0},
        {"3.", "3", 0},
        {"-50.5", "-50", -1},
        {"-49.5", "-50", 1},
        {"9.99", "10", -1},
        {"10.01", "10.1", -1},
        {std::string(400, '9'), "256", 1},
        {"1e3", "0", std::nullopt},
        {"0", "0x0", std::nullopt},
        {"", "0", std::nullopt},
    };
    for (const CompareCase& c : cases) {
        EXPECT_EQ(compareDecimals(c.a, c.b), c.sign) << c.a << " vs " << c.b;
        if (c.sign) {
            EXPECT_EQ(compareDecimals(c.b, c.a), -*c.sign) << c.b << " vs " << c.a;
        }
    }
}

}  // namespace
}  // namespace tropolink::cli
