#include "sweep/sweep_plan.h"

#include <algorithm>
#include <utility>

#include "grammar/input_error.h"
#include "grammar/option_ranges.h"
#include "link/availability_options.h"

namespace tropolink {
namespace {

constexpr std::string_view kRangeForm = "NAME=FROM:TO or NAME=FROM:TO:STEP";

struct RangeTexts {
    std::string_view from;
    std::string_view to;
    std::string_view step;  // empty when not given
};

RangeTexts splitRange(std::string_view range, std::string_view input, const std::string& allowed) {
    std::vector<std::string_view> parts;
    for (std::size_t start = 0;;) {
        const auto colon = range.find(':', start);
        parts.push_back(range.substr(start, colon - start));
        if (colon == std::string_view::npos) break;
        start = colon + 1;
    }
    if (parts.size() < 2 || parts.size() > 3) throw InputError(input, "not " + std::string(kRangeForm), allowed);
    return {parts[0], parts[1], parts.size() == 3 ? parts[2] : std::string_view()};
}

// A STEP is a whole number of slider steps; a step beyond the range leaves FROM alone.
int stepPositions(const SettingName& name, std::string_view text, bool power, std::string_view input) {
    if (text.empty()) return 1;
    const DecimalPosition step = decimalToPosition(text, name.positionsPerUnit());
    if (step.status != DecimalStatus::Ok || step.position < 1) {
        std::string unit(name.unit(power));
        if (!unit.empty()) unit.insert(0, 1, ' ');
        throw InputError(input, "STEP is not a positive multiple of the slider step",
                         "STEP " + shownValue(1, name.positionsPerUnit()) + unit + " or a whole multiple of it");
    }
    const SliderSpec& s = *name.slider;
    return static_cast<int>(std::min<long long>(step.position, s.maximum - s.minimum + 1));
}

// The ITU-R options of a sweep: refused without a percentage, since they
// change nothing else.
AvailabilityOptions methodOptions(const SweepArguments& request, const std::vector<double>& percents) {
    const AvailabilityArguments& a = request.methodOptions;
    if (percents.empty())
        for (const auto& [name, values] : {std::pair{kDeltaNOption.name, &a.deltaN},
                                           std::pair{kGroundHeightOption.name, &a.groundHeightKm},
                                           std::pair{kClimateZoneOption.name, &a.climateZone},
                                           std::pair{kRequiredSnrOption.name, &a.requiredSnr}})
            if (!values->empty())
                throw InputError(std::string(name) + " " + values->front(), "given without --percent",
                                 std::string(name) + " with --percent P");
    AvailabilityOptions options = validateAvailabilityOptions(a);
    options.percents = percents;
    return options;
}

// On a logarithmic axis every swept value must lie above 0.
bool logX(const SweepArguments& request, const SweepPlan& plan) {
    if (request.logXCount > 1) throw InputError("--log-x", "given twice", "--log-x at most once");
    if (request.logXCount == 1 && plan.from <= 0)
        throw InputError("--log-x", "the swept range " + request.range + " reaches 0 or below",
                         "--log-x with FROM above 0");
    return request.logXCount == 1;
}

}  // namespace

Settings SweepPlan::settingsAt(int point) const {
    Settings settings = base;
    settings.positions[static_cast<std::size_t>(sliderIndex(name.slider->slider))] = position(point);
    return settings;
}

SweepPlan planSweep(const SweepArguments& request) {
    if (request.powerOptionCount > 1) refuseRepeatedPowerOption("--power-div-1000");
    const bool power = request.powerOptionCount == 1;
    SettingsBuilder builder(power);
    for (const std::string& assignment : request.assignments) builder.assign(assignment);

    const std::string_view input = request.range;
    const auto [name, range] = splitAssignment(input, kRangeForm);
    const std::string allowed = allowedValues(name, power);
    const RangeTexts texts = splitRange(range, input, allowed);
    SweepPlan plan{name, 0, 0, 1, builder.settings(), {}, {}, false};
    if (request.percents.size() > kMaxSweepPercents)
        throw InputError("--percent " + request.percents[kMaxSweepPercents],
                         "more than " + std::to_string(kMaxSweepPercents) + " percentages",
                         "at most " + std::to_string(kMaxSweepPercents) + " --percent options in a sweep");
    for (const std::string& percent : request.percents) plan.percents.push_back(percentOption(percent));
    plan.methodOptions = methodOptions(request, plan.percents);
    plan.from = validatePosition(name, decimalToPosition(texts.from, name.positionsPerUnit()), power, input);
    plan.to = validatePosition(name, decimalToPosition(texts.to, name.positionsPerUnit()), power, input);
    plan.step = stepPositions(name, texts.step, power, input);
    if (plan.from > plan.to) throw InputError(input, "FROM is above TO", "FROM at most TO, both " + allowed);
    if (builder.isSet(name.slider->slider))
        throw InputError(input, std::string(name.slider->name) + " is also given with --set",
                         "each slider either swept or set");
    plan.logX = logX(request, plan);
    return plan;
}

}  // namespace tropolink
