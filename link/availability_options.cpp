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

const std::string* onceOnly(const std::vector<std::string>& values, std::string_view name, std::string_view allowed) {
    if (values.size() > 1)
        throw InputError(std::string(name) + " " + values[1], "given twice",
                         std::string(name) + " once, " + std::string(allowed));
    return values.empty() ? nullptr : &values.front();
}

constexpr std::string_view kOrdersAllowed = "1, 2 or 4";
constexpr std::string_view kCombinersAllowed = "selection or maximal-ratio";

}  // namespace

int diversityOrderOption(std::string_view name, const std::string& text) {
    for (const int order : itur::kDiversityOrders)
        if (text == std::to_string(order)) return order;
    throw InputError(std::string(name) + " " + text, "not a diversity order", kOrdersAllowed);
}

itur::Combiner combinerOption(std::string_view name, const std::string& text) {
    for (const itur::Combiner c : {itur::Combiner::Selection, itur::Combiner::MaximalRatio})
        if (text == itur::combinerName(c)) return c;
    throw InputError(std::string(name) + " " + text, "unknown combiner", kCombinersAllowed);
}

void requireDualForCorrelation(const itur::Diversity& d, std::string_view correlationInput, std::string_view orderName) {
    if (d.branchCorrelation == 0 || d.order == 2) return;
    throw InputError(correlationInput, "given without dual diversity",
                     "0, or " + allowedValues(kBranchCorrelationOption) + " with " + std::string(orderName) + " 2");
}

double percentOption(const std::string& text) { return readNumberOption(kPercentOption, text); }

const std::vector<double>& defaultPercents() {
    static const std::vector<double> percents{50, 90, 99, 99.9, 99.99};
    return percents;
}

namespace {

void diversity(const AvailabilityArguments& a, AvailabilityOptions& o) {
    if (a.diversityOrder.empty() && a.combiner.empty() && a.branchCorrelation.empty()) return;
    itur::FadingRequest request;
    itur::Diversity& d = request.diversity;
    constexpr std::string_view kOrder = "--diversity-order", kCombiner = "--combiner";
    if (const std::string* text = onceOnly(a.diversityOrder, kOrder, kOrdersAllowed))
        d.order = diversityOrderOption(kOrder, *text);
    if (const std::string* text = onceOnly(a.combiner, kCombiner, kCombinersAllowed))
        d.combiner = combinerOption(kCombiner, *text);
    if (const std::string* text = onceOnly(a.branchCorrelation, kBranchCorrelationOption)) {
        d.branchCorrelation = readNumberOption(kBranchCorrelationOption, *text);
        requireDualForCorrelation(d, std::string(kBranchCorrelationOption.name) + " " + *text, kOrder);
    }
    o.fading = request;
}

}  // namespace

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
    diversity(a, o);
    return o;
}

}  // namespace tropolink
