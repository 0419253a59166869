#include "grammar/option_ranges.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "grammar/input_error.h"

namespace tropolink {
namespace {

// The value read, or the refusal's whole message.
struct Reading {
    std::optional<double> value;
    std::string message;
};

Reading readOption(const NumberOption& option, const std::string& text) {
    try {
        return {readNumberOption(option, text), ""};
    } catch (const InputError& e) {
        return {std::nullopt, e.what()};
    }
}

std::string refusal(const NumberOption& option, const std::string& text, const std::string& problem) {
    return quoteInput(std::string(option.name) + " " + text) + ": " + problem + " (allowed: " + allowedValues(option) +
           ")";
}

const std::string kTiny = "0." + std::string(399, '0') + "1";  // 1e-400 written out
const std::string kHuge(400, '9');

TEST(OptionRangesTest, AllowedValuesAreSaidFromTheTable) {
    const std::vector<std::pair<const NumberOption*, std::string>> cases{
        {&kPercentOption, "a plain decimal strictly between 0 and 100"},
        {&kDeltaNOption, "a plain decimal from 20 to 80 N-units/km"},
        {&kN0Option, "a plain decimal from 250 to 450 N-units"},
        {&kGroundHeightOption, "0 to 5 km in steps of 0.001"},
        {&kClimateZoneOption, "a whole number from 1 to 7"},
        {&kRequiredSnrOption, "a plain decimal from -50 to 100 dB"},
        {&kMast1Option, "a plain decimal from 0 to 10000 m"},
        {&kJobsOption, "a whole number from 1 to 256"},
    };
    for (const auto& [option, allowed] : cases) EXPECT_EQ(allowedValues(*option), allowed) << option->name;
    EXPECT_EQ(optionHelp(kDeltaNOption), "refractivity lapse rate, a plain decimal from 20 to 80 N-units/km (default 40)");
}

struct AcceptedCase {
    const NumberOption* option;
    std::string text;
    double value;
};

TEST(OptionRangesTest, BoundsAndJustInsideAreRead) {
    const std::vector<AcceptedCase> cases{
        {&kPercentOption, "50", 50},
        {&kPercentOption, "+0.5", 0.5},
        {&kPercentOption, "0.0000000000000000000000000001", 1e-28},
        {&kPercentOption, "99.99999999999999", 99.99999999999999},
        {&kRequiredSnrOption, "-50", -50},
        {&kRequiredSnrOption, "100", 100},
        {&kRequiredSnrOption, "99.99999999999999999999", 100},  // rounds onto a bound that is allowed
        {&kRequiredSnrOption, kTiny, 0},
        {&kMast1Option, "0", 0},
        {&kMast2Option, "10000", 10000},
        {&kMast1Option, "-0", 0},
        {&kDeltaNOption, "20", 20},
        {&kDeltaNOption, "80.000000000000000000000", 80},
        {&kDeltaNOption, "60.5", 60.5},
        // Measured, not a slider: any decimal, as the ITU's examples give it.
        {&kDeltaNOption, "41.338935", 41.338935},
        {&kN0Option, "324.557978", 324.557978},
        {&kN0Option, "450", 450},
        {&kGroundHeightOption, "0", 0},
        {&kGroundHeightOption, "5", 5},
        {&kGroundHeightOption, "4.999", 4.999},
        {&kClimateZoneOption, "1", 1},
        {&kClimateZoneOption, "7.0", 7},
        {&kClimateZoneOption, "+3", 3},
        {&kJobsOption, "256", 256},
        {&kJobsOption, "001", 1},
    };
    for (const AcceptedCase& c : cases) {
        const Reading r = readOption(*c.option, c.text);
        EXPECT_EQ(r.message, "") << c.option->name << " " << c.text;
        EXPECT_EQ(r.value, c.value) << c.option->name << " " << c.text;
    }
}

struct RefusedCase {
    const NumberOption* option;
    std::string text;
    std::string problem;
};

TEST(OptionRangesTest, RefusalsSayWhyFromTheDecimalText) {
    const std::vector<RefusedCase> cases{
        {&kPercentOption, "0", "out of range"},
        {&kPercentOption, "-0", "out of range"},
        {&kPercentOption, "100", "out of range"},
        {&kPercentOption, "100.0", "out of range"},
        {&kPercentOption, "100.0000000000000001", "out of range"},
        {&kPercentOption, "-0.0000000000000001", "out of range"},
        {&kPercentOption, "99.999999999999999999", "too close to 100 to compute"},
        {&kPercentOption, kTiny, "too close to 0 to compute"},
        {&kPercentOption, "1e1", "not a plain decimal number"},
        {&kRequiredSnrOption, "100.0000000000000001", "out of range"},
        {&kRequiredSnrOption, "-50.0000000000000001", "out of range"},
        {&kRequiredSnrOption, "1e2", "not a plain decimal number"},
        {&kMast1Option, "0x10", "not a plain decimal number"},
        {&kMast1Option, "1e3", "not a plain decimal number"},
        {&kMast2Option, "10000.000000000000001", "out of range"},
        {&kMast2Option, "-0.0000001", "out of range"},
        {&kDeltaNOption, "19.9", "out of range"},
        {&kDeltaNOption, "80.1", "out of range"},
        {&kDeltaNOption, "80.10000", "out of range"},
        {&kN0Option, "249.9999", "out of range"},
        {&kN0Option, "450.0001", "out of range"},
        {&kDeltaNOption, "19.99", "out of range"},
        {&kGroundHeightOption, "5.001", "out of range"},
        {&kGroundHeightOption, "-0.001", "out of range"},
        {&kGroundHeightOption, "0.0005", "between two steps"},
        {&kGroundHeightOption, kTiny, "between two steps"},
        {&kClimateZoneOption, "0", "out of range"},
        {&kClimateZoneOption, "8", "out of range"},
        {&kClimateZoneOption, "1.5", "not a whole number"},
        {&kClimateZoneOption, "0x7", "not a plain decimal number"},
        {&kJobsOption, "0", "out of range"},
        {&kJobsOption, "257", "out of range"},
        {&kJobsOption, "99999999999", "out of range"},
        {&kJobsOption, "2.5", "not a whole number"},
    };
    for (const RefusedCase& c : cases)
        EXPECT_EQ(readOption(*c.option, c.text).message, refusal(*c.option, c.text, c.problem));
}

// Whatever the option, a text that is no plain decimal, or far outside every
// range, gets the same words.
TEST(OptionRangesTest, EveryOptionRefusesTheSameTextsAlike) {
    for (const NumberOption* option : kNumberOptions) {
        for (const std::string text : {"", "+", ".", "0x10", "1e3", "inf", "-inf", "nan", " 5", "5 ", "1,5", "５"})
            EXPECT_EQ(readOption(*option, text).message, refusal(*option, text, "not a plain decimal number"));
        for (const std::string& text : {kHuge, "-" + kHuge, kHuge + ".5"})
            EXPECT_EQ(readOption(*option, text).message, refusal(*option, text, "out of range"));
    }
}

}  // namespace
}  // namespace tropolink
