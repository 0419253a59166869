#pragma once

#include <array>
#include <bitset>
#include <span>
#include <string>
#include <string_view>

#include "engine/slider.h"
#include "grammar/decimal.h"
#include "grammar/setting_names.h"

namespace tropolink {

// The inputs of one pass: every slider at its start position unless set.
struct Settings {
    std::array<int, kSliderCount> positions = startPositions();
    bool powerDividedBy1000 = false;
};

// NAME=VALUE split at the first '=', with NAME looked up. Throws InputError
// ("not <form>", "unknown name").
struct NamedValue {
    SettingName name;
    std::string_view value;
};
NamedValue splitAssignment(std::string_view assignment, std::string_view form = "NAME=VALUE");

// Collects NAME=VALUE assignments for one pass; every refusal throws InputError.
class SettingsBuilder {
public:
    explicit SettingsBuilder(bool powerDividedBy1000);

    // "distance-km=300" or "HScroll22=300". A slider may be set once.
    void assign(std::string_view assignment);
    const Settings& settings() const { return settings_; }
    bool isSet(Slider slider) const { return assigned_.test(static_cast<std::size_t>(sliderIndex(slider))); }

private:
    Settings settings_;
    std::bitset<kSliderCount> assigned_;
};

// The position a VALUE text gives, if the slider accepts it; else throws
// InputError naming `input` and the allowed values.
int validatePosition(const SettingName& name, DecimalPosition value, bool powerDividedBy1000, std::string_view input);

// The settings of a single run, from the --set arguments.
Settings settingsFromArguments(std::span<const std::string> assignments, bool powerDividedBy1000);

// What a second setting of the same slider is refused with.
[[noreturn]] void refuseRepeatedSlider(const SettingName& name, std::string_view input);

// What the repeated power/1000 option or word is refused with.
[[noreturn]] void refuseRepeatedPowerOption(std::string_view input);

}  // namespace tropolink
