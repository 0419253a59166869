#include "grammar/settings.h"

#include "grammar/input_error.h"

namespace tropolink {
namespace {

constexpr std::string_view kAllowedNames = "HScroll1 to HScroll23 or an alias that --help lists";

[[noreturn]] void refuseValue(const SettingName& name, bool powerDividedBy1000, std::string_view input,
                              std::string_view problem) {
    throw InputError(input, problem, allowedValues(name, powerDividedBy1000));
}

}  // namespace

NamedValue splitAssignment(std::string_view assignment, std::string_view form) {
    const auto equals = assignment.find('=');
    if (equals == std::string_view::npos)
        throw InputError(assignment, "not " + std::string(form), std::string(kAllowedNames) + " as NAME");
    const auto name = findSettingName(assignment.substr(0, equals));
    if (!name) throw InputError(assignment, "unknown name", kAllowedNames);
    return {*name, assignment.substr(equals + 1)};
}

SettingsBuilder::SettingsBuilder(bool powerDividedBy1000) { settings_.powerDividedBy1000 = powerDividedBy1000; }

void SettingsBuilder::assign(std::string_view assignment) {
    const auto [name, text] = splitAssignment(assignment);
    const bool power = settings_.powerDividedBy1000;
    const int position = validatePosition(name, decimalToPosition(text, name.positionsPerUnit()), power, assignment);

    const auto index = static_cast<std::size_t>(sliderIndex(name.slider->slider));
    if (assigned_.test(index)) refuseRepeatedSlider(name, assignment);
    assigned_.set(index);
    settings_.positions[index] = position;
}

int validatePosition(const SettingName& name, DecimalPosition value, bool powerDividedBy1000, std::string_view input) {
    switch (value.status) {
        case DecimalStatus::NotANumber:
            refuseValue(name, powerDividedBy1000, input, "not a plain decimal number");
        case DecimalStatus::OffGrid:
            refuseValue(name, powerDividedBy1000, input, "between two steps of the slider");
        case DecimalStatus::Ok:
            break;
    }
    if (value.position < name.slider->minimum || value.position > name.slider->maximum)
        refuseValue(name, powerDividedBy1000, input, "out of range");
    return static_cast<int>(value.position);
}

Settings settingsFromArguments(std::span<const std::string> assignments, bool powerDividedBy1000) {
    SettingsBuilder builder(powerDividedBy1000);
    for (const std::string& assignment : assignments) builder.assign(assignment);
    return builder.settings();
}

void refuseRepeatedSlider(const SettingName& name, std::string_view input) {
    throw InputError(input, std::string(name.slider->name) + " is already set",
                     "each slider once, by its slider name or its alias");
}

void refuseRepeatedPowerOption(std::string_view input) {
    throw InputError(input, "given twice", "power/1000 at most once");
}

}  // namespace tropolink
