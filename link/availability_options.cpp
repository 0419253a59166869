#include "link/availability_options.h"

#include "grammar/input_error.h"
#include "grammar/option_ranges.h"

namespace tropolink {
namespace {

// The one value of an option that may be given once; none when not given.
const std::string* onceOnly(const std::vector<std::string>& values, const NumberOption& option) {
    if (values.size() > 1)
        throw InputError(std::string(option.name) + " " + values[1], "given twice",
                         std::string(option.name) + " once, " + allowedValues(option));
    return values.empty() ? nullptr : &values.front();
}

}  // namespace

double percentOption(const std::string& text) { return readNumberOption(kPercentOption, text); }

const std::vector<double>& defaultPercents() {
    static const std::vector<double> percents{50, 90, 99, 99.9, 99.99};
    return percents;
}

AvailabilityOptions validateAvailabilityOptions(const AvailabilityArguments& a) {
    AvailabilityOptions o;
    for (const std::string& text : a.percents) o.percents.push_back(percentOption(text));
    if (o.percents.empty()) o.percents = defaultPercents();
    if (const std::string* text = onceOnly(a.deltaN, kDeltaNOption)) {
        o.deltaN = readNumberOption(kDeltaNOption, *text);
        o.deltaNGiven = true;
    }
    if (const std::string* text = onceOnly(a.n0, kN0Option)) o.n0 = readNumberOption(kN0Option, *text);
    if (const std::string* text = onceOnly(a.groundHeightKm, kGroundHeightOption))
        o.groundHeightKm = readNumberOption(kGroundHeightOption, *text);
    if (const std::string* text = onceOnly(a.climateZone, kClimateZoneOption))
    {
        o.climateZone = static_cast<itur::ClimateZone>(readNumberOption(kClimateZoneOption, *text));
        o.climateZoneGiven = true;
    }
    if (const std::string* text = onceOnly(a.requiredSnr, kRequiredSnrOption))
        o.requiredSnrDb = readNumberOption(kRequiredSnrOption, *text);
    return o;
}

}  // namespace tropolink
