#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "engine/slider.h"

namespace tropolink {

// A readable name for a slider; its VALUE is in the unit that the slider's
// echo box shows, and position = value × positionsPerUnit.
struct Alias {
    std::string_view name;
    Slider slider;
    std::string_view unit;
};

// In slider order: HScroll1..HScroll23.
inline constexpr std::array<Alias, kSliderCount> kAliases{{
    {"s1.antenna-height-m", Slider::HScroll1, "m"},
    {"s1.obstruction-height-m", Slider::HScroll2, "m"},
    {"s1.obstruction-distance-km", Slider::HScroll3, "km"},
    {"s1.tx-power", Slider::HScroll4, "W"},
    {"s1.tx-line-loss-db", Slider::HScroll5, "dB"},
    {"s1.rx-noise-figure-db", Slider::HScroll6, "dB"},
    {"s1.rx-line-loss-db", Slider::HScroll7, "dB"},
    {"s1.antenna-gain-dbi", Slider::HScroll8, "dBi"},
    {"s1.antenna-noise-temp-k", Slider::HScroll9, "K"},
    {"s1.rx-bandwidth-hz", Slider::HScroll10, "Hz"},
    {"s2.antenna-height-m", Slider::HScroll11, "m"},
    {"s2.obstruction-height-m", Slider::HScroll12, "m"},
    {"s2.obstruction-distance-km", Slider::HScroll13, "km"},
    {"s2.tx-power", Slider::HScroll14, "W"},
    {"s2.tx-line-loss-db", Slider::HScroll15, "dB"},
    {"s2.rx-noise-figure-db", Slider::HScroll16, "dB"},
    {"s2.rx-line-loss-db", Slider::HScroll17, "dB"},
    {"s2.antenna-gain-dbi", Slider::HScroll18, "dBi"},
    {"s2.antenna-noise-temp-k", Slider::HScroll19, "K"},
    {"s2.rx-bandwidth-hz", Slider::HScroll20, "Hz"},
    {"frequency-mhz", Slider::HScroll21, "MHz"},
    {"distance-km", Slider::HScroll22, "km"},
    {"surface-refractivity", Slider::HScroll23, "N-units"},
}};

// The word of a batch line, and the option of the command line without its dashes.
inline constexpr std::string_view kPowerDividedBy1000Word = "power-div-1000";

// A NAME of NAME=VALUE: a slider name (VALUE is the position) or an alias.
struct SettingName {
    const SliderSpec* slider = nullptr;
    const Alias* alias = nullptr;  // null for a slider name

    int positionsPerUnit() const { return alias ? slider->positionsPerUnit : 1; }
    // The name as written: the alias or the slider name.
    std::string_view text() const { return alias ? alias->name : slider->name; }
    // With power/1000 the power sliders read in milliwatts.
    std::string_view unit(bool powerDividedBy1000) const;
};

std::optional<SettingName> findSettingName(std::string_view name);

// A position in the name's unit, exactly: 15 with 10 positions per unit is "1.5".
std::string shownValue(int position, int positionsPerUnit);

// What VALUE may be, e.g. "0 to 10 dB in steps of 0.1".
std::string allowedValues(const SettingName& name, bool powerDividedBy1000);

}  // namespace tropolink
