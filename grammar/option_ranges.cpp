#include "grammar/option_ranges.h"

#include <charconv>
#include <optional>
#include <system_error>

#include "engine/slider.h"
#include "grammar/decimal.h"
#include "grammar/input_error.h"

namespace tropolink {
namespace {

// A mast reaches as high as the antenna-height slider; the options hold the
// limit as decimal text, so that it is compared exactly.
static_assert(sliderSpec(Slider::HScroll1).maximum == 10000, "--s1-mast-m and --s2-mast-m: update their maximum");

std::string withUnit(std::string text, std::string_view unit) {
    if (!unit.empty()) text += " " + std::string(unit);
    return text;
}

std::string stepText(int decimals) {
    if (decimals == 0) return "1";
    return "0." + std::string(static_cast<std::size_t>(decimals - 1), '0') + "1";
}

int positionsPerUnit(int decimals) {
    int perUnit = 1;
    for (int d = 0; d < decimals; ++d) perUnit *= 10;
    return perUnit;
}

// The nearest double of a plain decimal; one too small for a double is 0.
double nearestDouble(std::string_view text) {
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error == std::errc::result_out_of_range) return text.front() == '-' ? -0.0 : 0.0;
    return value;
}

bool inRange(const NumberOption& o, std::string_view text) {
    const int fromMinimum = *compareDecimals(text, o.minimum);
    const int fromMaximum = *compareDecimals(text, o.maximum);
    return o.boundsExcluded ? fromMinimum > 0 && fromMaximum < 0 : fromMinimum >= 0 && fromMaximum <= 0;
}

}  // namespace

std::string allowedValues(const NumberOption& o) {
    const std::string range = std::string(o.minimum) + (o.boundsExcluded ? " and " : " to ") + std::string(o.maximum);
    if (o.decimals == kAnyDecimals)
        return withUnit(std::string("a plain decimal ") + (o.boundsExcluded ? "strictly between " : "from ") + range,
                        o.unit);
    if (o.decimals == 0) return withUnit("a whole number from " + range, o.unit);
    return withUnit(range, o.unit) + " in steps of " + stepText(o.decimals);
}

std::string optionHelp(const NumberOption& o) {
    std::string text = std::string(o.meaning) + ", " + allowedValues(o);
    if (!o.defaultValue.empty()) text += " (default " + std::string(o.defaultValue) + ")";
    return text;
}

double readNumberOption(const NumberOption& o, std::string_view text) {
    const std::string input = std::string(o.name) + " " + std::string(text);
    const std::string allowed = allowedValues(o);
    if (!compareDecimals(text, "0")) throw InputError(input, "not a plain decimal number", allowed);
    // Before the step, so that a value far outside reads alike on every option.
    if (!inRange(o, text)) throw InputError(input, "out of range", allowed);
    if (o.decimals != kAnyDecimals) {
        const int perUnit = positionsPerUnit(o.decimals);
        const DecimalPosition p = decimalToPosition(text, perUnit);
        if (p.status == DecimalStatus::OffGrid)
            throw InputError(input, o.decimals == 0 ? "not a whole number" : "between two steps", allowed);
        return static_cast<double>(p.position) / perUnit;
    }
    const double value = nearestDouble(text);
    // Bounds that are excluded must stay excluded after rounding.
    if (o.boundsExcluded) {
        for (const std::string_view bound : {o.minimum, o.maximum})
            if (value == nearestDouble(bound))
                throw InputError(input, "too close to " + std::string(bound) + " to compute", allowed);
    }
    return value;
}

}  // namespace tropolink
