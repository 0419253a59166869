// Feeds arbitrary texts to every numeric option and to the availability
// options, checking what must hold for every text: a value is accepted only
// when its decimal text lies inside the option's range and on its step, the
// double read stays inside the range, and a refusal is one plain ASCII line
// that names the option and what it allows.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "fuzz/fuzz_checks.h"
#include "grammar/decimal.h"
#include "grammar/input_error.h"
#include "grammar/option_ranges.h"
#include "link/availability_options.h"

namespace {

using tropolink::fuzz::isPlainAscii;
using tropolink::fuzz::require;

using namespace tropolink;

double boundOf(std::string_view text) { return std::strtod(std::string(text).c_str(), nullptr); }

void checkRefusal(const NumberOption& option, std::string_view text, const InputError& e) {
    const std::string message = e.what();
    require(isPlainAscii(message), "a refusal is not plain ASCII");
    require(message.rfind(quoteInput(std::string(option.name) + " " + std::string(text)) + ": ", 0) == 0,
            "a refusal does not start with the option and its text");
    require(message.find("(allowed: " + allowedValues(option) + ")") != std::string::npos,
            "a refusal does not say what is allowed");
}

void checkAccepted(const NumberOption& option, std::string_view text, double value) {
    const std::optional<int> fromMinimum = compareDecimals(text, option.minimum);
    const std::optional<int> fromMaximum = compareDecimals(text, option.maximum);
    require(fromMinimum && fromMaximum, "a text that is no plain decimal is accepted");
    const int floor = option.boundsExcluded ? 1 : 0;
    require(*fromMinimum >= floor && *fromMaximum <= -floor, "a text outside the range is accepted");
    require(std::isfinite(value), "an accepted value is not finite");
    const double minimum = boundOf(option.minimum);
    const double maximum = boundOf(option.maximum);
    if (option.boundsExcluded)
        require(value > minimum && value < maximum, "an accepted value rounds onto an excluded bound");
    else
        require(value >= minimum && value <= maximum, "an accepted value lies outside the range");
    if (option.decimals != kAnyDecimals) {
        const double scaled = value * std::pow(10.0, option.decimals);
        require(std::fabs(scaled - std::nearbyint(scaled)) < 1e-6, "an accepted value is off the step");
        require(decimalToPosition(text, static_cast<int>(std::pow(10, option.decimals))).status == DecimalStatus::Ok,
                "a text between two steps is accepted");
    }
}

void readEachOption(std::string_view text) {
    for (const NumberOption* option : kNumberOptions) {
        try {
            checkAccepted(*option, text, readNumberOption(*option, text));
        } catch (const InputError& e) {
            checkRefusal(*option, text, e);
        }
    }
}

// The comparison is a total order on plain decimals, and agrees with the reader.
void compareWithItself(std::string_view text) {
    const std::optional<int> self = compareDecimals(text, text);
    require(self.has_value() == (decimalToPosition(text, 1).status != DecimalStatus::NotANumber),
            "the comparison and the reader disagree on what is a plain decimal");
    if (!self) return;
    require(*self == 0, "a decimal differs from itself");
    const std::optional<int> fromZero = compareDecimals(text, "0");
    require(compareDecimals("0", text) == -*fromZero, "the comparison is not antisymmetric");
}

// Every field of the availability options, each given once and twice.
void validateAvailability(std::string_view input) {
    const std::string text(input);
    for (int field = 0; field < 5; ++field) {
        for (const std::size_t count : {1U, 2U}) {
            AvailabilityArguments a;
            std::vector<std::string>* values[] = {&a.percents, &a.deltaN, &a.groundHeightKm, &a.climateZone,
                                                  &a.requiredSnr};
            values[field]->assign(count, text);
            try {
                const AvailabilityOptions o = validateAvailabilityOptions(a);
                require(count == 1 || field == 0, "a repeated option is accepted");
                const int zone = static_cast<int>(o.climateZone);
                require(zone >= 1 && zone <= 7, "a climate zone outside 1 to 7");
            } catch (const InputError& e) {
                require(isPlainAscii(e.what()), "a refusal is not plain ASCII");
            }
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    readEachOption(input);
    compareWithItself(input);
    validateAvailability(input);
    return 0;
}
