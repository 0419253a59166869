#include "grammar/setting_names.h"

#include <algorithm>
#include <cstdlib>

namespace tropolink {
namespace {

constexpr bool isPowerOfTen(int n) {
    while (n > 1 && n % 10 == 0) n /= 10;
    return n == 1;
}

constexpr bool aliasesMatchSliders() {
    for (std::size_t i = 0; i < kAliases.size(); ++i)
        if (kAliases[i].slider != kSliders[i].slider || !isPowerOfTen(kSliders[i].positionsPerUnit)) return false;
    return true;
}
static_assert(aliasesMatchSliders(), "one alias per slider, in slider order, on a decimal grid");

bool isPowerSlider(Slider s) { return s == Slider::HScroll4 || s == Slider::HScroll14; }

}  // namespace

std::string_view SettingName::unit(bool powerDividedBy1000) const {
    if (!alias) return "";
    if (powerDividedBy1000 && isPowerSlider(alias->slider)) return "mW";
    return alias->unit;
}

// No alias looks like a slider's own name, so such a name need not be sought among them.
static_assert(std::none_of(kAliases.begin(), kAliases.end(), [](const Alias& a) { return a.name.starts_with("HScroll"); }));

std::optional<SettingName> findSettingName(std::string_view name) {
    if (name.starts_with("HScroll")) {
        if (const auto slider = sliderByName(name)) return SettingName{&sliderSpec(*slider), nullptr};
        return std::nullopt;
    }
    for (std::size_t i = 0; i < kAliases.size(); ++i)
        if (kAliases[i].name == name) return SettingName{&kSliders[i], &kAliases[i]};
    if (const auto slider = sliderByName(name)) return SettingName{&sliderSpec(*slider), nullptr};
    return std::nullopt;
}

std::string shownValue(int position, int positionsPerUnit) {
    const auto parts = std::div(position, positionsPerUnit);
    std::string text = std::to_string(parts.quot);
    if (parts.rem == 0) return text;
    std::string decimals = std::to_string(parts.rem + positionsPerUnit).substr(1);
    while (decimals.back() == '0') decimals.pop_back();
    return text + '.' + decimals;
}

std::string allowedValues(const SettingName& name, bool powerDividedBy1000) {
    const int perUnit = name.positionsPerUnit();
    std::string unit(name.unit(powerDividedBy1000));
    if (!unit.empty()) unit.insert(0, 1, ' ');
    const std::string range = shownValue(name.slider->minimum, perUnit) + " to " +
                              shownValue(name.slider->maximum, perUnit) + unit + " in steps of " +
                              shownValue(1, perUnit);
    return name.alias ? range : "slider positions " + range;
}

}  // namespace tropolink
