#include "link/availability_options.h"

#include <charconv>

#include "link/decimal.h"
#include "link/input_error.h"

namespace tropolink {
namespace {

std::string shown(std::string_view option, std::string_view value) {
    return std::string(option) + " " + std::string(value);
}

// A plain decimal as read by VALUE, as the nearest double.
std::optional<double> plainDecimal(std::string_view text) {
    if (decimalToPosition(text, 1).status == DecimalStatus::NotANumber) return std::nullopt;
    if (text.front() == '+') text.remove_prefix(1);
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return value;
}

// The one value of an option that may be given once; none when not given.
const std::string* onceOnly(const std::vector<std::string>& values, std::string_view option, std::string_view allowed) {
    if (values.size() > 1)
        throw InputError(shown(option, values[1]), "given twice",
                         std::string(option) + " once, " + std::string(allowed));
    return values.empty() ? nullptr : &values.front();
}

// A value on a decimal grid: `perUnit` positions per unit, from `lo` to `hi` positions.
double gridValue(const std::string& text, std::string_view option, int perUnit, long long lo, long long hi,
                 std::string_view allowed) {
    const DecimalPosition value = decimalToPosition(text, perUnit);
    const std::string input = shown(option, text);
    if (value.status == DecimalStatus::NotANumber) throw InputError(input, "not a plain decimal number", allowed);
    if (value.status == DecimalStatus::OffGrid) throw InputError(input, "between two steps", allowed);
    if (value.position < lo || value.position > hi) throw InputError(input, "out of range", allowed);
    return static_cast<double>(value.position) / perUnit;
}

}  // namespace

double percentOption(const std::string& text) {
    const std::optional<double> p = plainDecimal(text);
    if (!p) throw InputError(shown("--percent", text), "not a plain decimal number", kPercentAllowed);
    if (!(*p > 0 && *p < 100)) throw InputError(shown("--percent", text), "out of range", kPercentAllowed);
    return *p;
}

const std::vector<double>& defaultPercents() {
    static const std::vector<double> percents{50, 90, 99, 99.9, 99.99};
    return percents;
}

AvailabilityOptions validateAvailabilityOptions(const AvailabilityArguments& a) {
    AvailabilityOptions o;
    for (const std::string& text : a.percents) o.percents.push_back(percentOption(text));
    if (o.percents.empty()) o.percents = defaultPercents();
    if (const std::string* text = onceOnly(a.deltaN, "--delta-n", kDeltaNAllowed))
        o.deltaN = gridValue(*text, "--delta-n", 10, 200, 800, kDeltaNAllowed);
    if (const std::string* text = onceOnly(a.groundHeightKm, "--ground-height-km", kGroundHeightAllowed))
        o.groundHeightKm = gridValue(*text, "--ground-height-km", 1000, 0, 5000, kGroundHeightAllowed);
    if (const std::string* text = onceOnly(a.climateZone, "--climate-zone", kClimateZoneAllowed))
        o.climateZone =
            static_cast<itur::ClimateZone>(gridValue(*text, "--climate-zone", 1, 1, 7, kClimateZoneAllowed));
    if (const std::string* text = onceOnly(a.requiredSnr, "--required-snr", kRequiredSnrAllowed)) {
        const std::optional<double> snr = plainDecimal(*text);
        const std::string input = shown("--required-snr", *text);
        if (!snr) throw InputError(input, "not a plain decimal number", kRequiredSnrAllowed);
        if (!(*snr >= -50 && *snr <= 100)) throw InputError(input, "out of range", kRequiredSnrAllowed);
        o.requiredSnrDb = *snr;
    }
    return o;
}

}  // namespace tropolink
