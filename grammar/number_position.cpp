#include "grammar/number_position.h"

#include <charconv>
#include <cmath>
#include <system_error>

namespace tropolink {
namespace {

// Below this a grid value's decimal digits are far apart compared with the
// spacing of doubles, so exactly one grid decimal can read as the number.
constexpr double kFastPathLimit = 1e9;

}  // namespace

std::string plainDecimal(double value) {
    // The shortest fixed text of a double has at most 309 digits before the
    // point or 341 after it, besides sign, "0" and point.
    std::string text(352, '\0');
    const auto [end, error] = std::to_chars(text.data(), text.data() + text.size(), value, std::chars_format::fixed);
    text.resize(error == std::errc{} ? static_cast<std::size_t>(end - text.data()) : 0);
    return text;
}

DecimalPosition numberToPosition(double value, int positionsPerUnit) {
    // A number that is exactly the double nearest to a grid decimal has that
    // decimal as its shortest text: no text is made then.
    if (std::fabs(value) < kFastPathLimit) {
        const double scaled = std::nearbyint(value * positionsPerUnit);
        if (scaled / positionsPerUnit == value) return {DecimalStatus::Ok, static_cast<long long>(scaled)};
    }
    return decimalToPosition(plainDecimal(value), positionsPerUnit);
}

}  // namespace tropolink
