#include "grammar/settings.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "grammar/input_error.h"

namespace tropolink::cli {
namespace {

using testing::HasSubstr;

// One alias with the values a user types for its slider's minimum, maximum
// and start, a value between two steps and one outside the range.
struct AliasCase {
    std::string name;
    Slider slider;
    std::string minimum, maximum, start, offGrid, outOfRange;
    bool powerDividedBy1000 = false;
};

void PrintTo(const AliasCase& c, std::ostream* os) { *os << c.name; }

int positionOf(const std::string& assignment, bool power, Slider slider) {
    const std::vector<std::string> assignments{assignment};
    return settingsFromArguments(assignments, power).positions[static_cast<std::size_t>(sliderIndex(slider))];
}

std::string refusal(const std::vector<std::string>& assignments, bool power = false) {
    try {
        settingsFromArguments(assignments, power);
    } catch (const InputError& e) {
        return e.what();
    }
    return "accepted";
}

class AliasTest : public testing::TestWithParam<AliasCase> {};

TEST_P(AliasTest, ConvertsTheShownValueToThePosition) {
    const AliasCase& c = GetParam();
    const SliderSpec& info = sliderSpec(c.slider);
    EXPECT_EQ(positionOf(c.name + "=" + c.minimum, c.powerDividedBy1000, c.slider), info.minimum);
    EXPECT_EQ(positionOf(c.name + "=" + c.maximum, c.powerDividedBy1000, c.slider), info.maximum);
    EXPECT_EQ(positionOf(c.name + "=" + c.start, c.powerDividedBy1000, c.slider), info.start);
}

TEST_P(AliasTest, RefusesValuesOffTheGridOrOutOfRange) {
    const AliasCase& c = GetParam();
    EXPECT_THAT(refusal({c.name + "=" + c.offGrid}, c.powerDividedBy1000), HasSubstr(": between two steps"));
    EXPECT_THAT(refusal({c.name + "=" + c.outOfRange}, c.powerDividedBy1000), HasSubstr(": out of range"));
}

// Station 1 and station 2 share the values of their rows.
std::vector<AliasCase> stationCases(const std::string& prefix, int firstSlider) {
    const auto slider = [firstSlider](int row) { return sliderFromNumber(firstSlider + row); };
    return {
        {prefix + "antenna-height-m", slider(0), "0", "10000", "10", "10.5", "10001"},
        {prefix + "obstruction-height-m", slider(1), "0", "10000", "5", "0.5", "-1"},
        {prefix + "obstruction-distance-km", slider(2), "0", "100", "5", "5.5", "101"},
        {prefix + "tx-power", slider(3), "0.1", "1500", "100", "0.05", "0"},
        {prefix + "tx-power", slider(3), "0.1", "1500.0", "100.", "1499.95", "1500.1", true},
        {prefix + "tx-line-loss-db", slider(4), "0", "10", "1", "0.05", "10.1"},
        {prefix + "rx-noise-figure-db", slider(5), "0", "10", "3", "2.25", "-0.1"},
        {prefix + "rx-line-loss-db", slider(6), "0", "10", "1", "0.35", "11"},
        {prefix + "antenna-gain-dbi", slider(7), "0", "50", "15", "15.05", "50.1"},
        {prefix + "antenna-noise-temp-k", slider(8), "0", "400", "300", "300.5", "401"},
        {prefix + "rx-bandwidth-hz", slider(9), "0", "5000", "2700", "2700.1", "5001"},
    };
}

INSTANTIATE_TEST_SUITE_P(Station1, AliasTest, testing::ValuesIn(stationCases("s1.", 1)));
INSTANTIATE_TEST_SUITE_P(Station2, AliasTest, testing::ValuesIn(stationCases("s2.", 11)));
INSTANTIATE_TEST_SUITE_P(
    Path, AliasTest,
    testing::Values(AliasCase{"frequency-mhz", Slider::HScroll21, "50", "25000", "432", "432.5", "49"},
                    AliasCase{"distance-km", Slider::HScroll22, "1", "2000", "250", "250.5", "0"},
                    AliasCase{"surface-refractivity", Slider::HScroll23, "270", "350", "310", "310.5", "351"},
                    // Slider names take the position itself.
                    AliasCase{"HScroll4", Slider::HScroll4, "1", "15000", "1000", "999.5", "0"},
                    AliasCase{"HScroll23", Slider::HScroll23, "270", "350", "+310", "310.01", "269"}));

struct RefusalCase {
    std::vector<std::string> assignments;
    bool powerDividedBy1000;
    std::string message;
};

class RefusalTest : public testing::TestWithParam<RefusalCase> {};

TEST_P(RefusalTest, NamesTheInputAndWhatIsAllowed) {
    EXPECT_EQ(refusal(GetParam().assignments, GetParam().powerDividedBy1000), GetParam().message);
}

INSTANTIATE_TEST_SUITE_P(
    Messages, RefusalTest,
    testing::Values(
        RefusalCase{{"s1.tx-line-loss-db=0.05"},
                    false,
                    "s1.tx-line-loss-db=0.05: between two steps of the slider (allowed: 0 to 10 dB in steps of 0.1)"},
        RefusalCase{
            {"frequency-mhz=10"}, false, "frequency-mhz=10: out of range (allowed: 50 to 25000 MHz in steps of 1)"},
        RefusalCase{{"s2.tx-power=0"}, true, "s2.tx-power=0: out of range (allowed: 0.1 to 1500 mW in steps of 0.1)"},
        RefusalCase{
            {"HScroll4=0"}, false, "HScroll4=0: out of range (allowed: slider positions 1 to 15000 in steps of 1)"},
        RefusalCase{{"distance-km=1e309"},
                    false,
                    "distance-km=1e309: not a plain decimal number (allowed: 1 to 2000 km in steps of 1)"},
        RefusalCase{{"distance-km=0x10"},
                    false,
                    "distance-km=0x10: not a plain decimal number (allowed: 1 to 2000 km in steps of 1)"},
        RefusalCase{
            {"bogus=1"}, false, "bogus=1: unknown name (allowed: HScroll1 to HScroll23 or an alias that --help lists)"},
        RefusalCase{{"Distance-km=5"},
                    false,
                    "Distance-km=5: unknown name (allowed: HScroll1 to HScroll23 or an alias that --help lists)"},
        RefusalCase{{"distance-km"},
                    false,
                    "distance-km: not NAME=VALUE (allowed: HScroll1 to HScroll23 or an alias that --help lists as "
                    "NAME)"},
        RefusalCase{{"distance-km=300", "HScroll22=300"},
                    false,
                    "HScroll22=300: HScroll22 is already set (allowed: each slider once, by its slider name or its "
                    "alias)"},
        RefusalCase{{"distance-km=300", "distance-km=300"},
                    false,
                    "distance-km=300: HScroll22 is already set (allowed: each slider once, by its slider name or its "
                    "alias)"}));

TEST(SettingsTest, UnsetSlidersKeepTheirStartPositions) {
    const Settings s = settingsFromArguments(std::vector<std::string>{"distance-km=300"}, true);
    EXPECT_TRUE(s.powerDividedBy1000);
    for (const SliderSpec& info : kSliders) {
        const int expected = info.slider == Slider::HScroll22 ? 300 : info.start;
        EXPECT_EQ(s.positions[static_cast<std::size_t>(sliderIndex(info.slider))], expected) << info.name;
    }
}

struct QuoteCase {
    std::string input;
    std::string quoted;
};

class QuoteTest : public testing::TestWithParam<QuoteCase> {};

TEST_P(QuoteTest, ShowsOnlyPrintableAscii) { EXPECT_EQ(quoteInput(GetParam().input), GetParam().quoted); }

INSTANTIATE_TEST_SUITE_P(Bytes, QuoteTest,
                         testing::Values(QuoteCase{"distance-km=300", "distance-km=300"},
                                         QuoteCase{std::string("a\0b", 3), "a\\x00b"},
                                         QuoteCase{"\xff\xfe", "\\xFF\\xFE"}, QuoteCase{"caf\xC3\xA9", "caf\\xC3\\xA9"},
                                         QuoteCase{"a\\b\"c", "a\\x5Cb\"c"},
                                         QuoteCase{"tab\there\r\n", "tab\\x09here\\x0D\\x0A"},
                                         QuoteCase{std::string(100, 'x'), std::string(64, 'x') + "... (100 bytes)"}));

}  // namespace
}  // namespace tropolink::cli
