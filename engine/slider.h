#pragma once

#include <array>
#include <optional>
#include <string_view>

namespace tropolink {

// The 23 input sliders, HScroll1 to HScroll23.
enum class Slider : int {
    HScroll1 = 1, HScroll2, HScroll3, HScroll4, HScroll5, HScroll6, HScroll7, HScroll8,
    HScroll9, HScroll10, HScroll11, HScroll12, HScroll13, HScroll14, HScroll15, HScroll16,
    HScroll17, HScroll18, HScroll19, HScroll20, HScroll21, HScroll22, HScroll23,
};

inline constexpr int kSliderCount = 23;

// One position per slider, indexed by sliderIndex.
using SliderPositions = std::array<int, kSliderCount>;

// What a slider is: its range, start, step setting, and how many positions make
// one unit of the value its echo box shows (10 for the tenths rows, 1 otherwise;
// the height sliders show metres, one position each).
struct SliderSpec {
    Slider slider;
    std::string_view name;      // "HScroll1"
    std::string_view rowLabel;  // caption of the row, as the window shows it
    int minimum;
    int maximum;
    int start;
    bool stepTen;            // one of the two step sizes is 10
    int positionsPerUnit;    // position = shown value × positionsPerUnit
};

constexpr int sliderIndex(Slider s) { return static_cast<int>(s) - 1; }
constexpr Slider sliderFromNumber(int number) { return static_cast<Slider>(number); }

// Indexed by sliderIndex: HScroll1..HScroll10 are station 1's rows top to
// bottom, HScroll11..HScroll20 station 2's, then frequency, distance, N.
inline constexpr std::array<SliderSpec, kSliderCount> kSliders{{
    SliderSpec{Slider::HScroll1, "HScroll1", " Antenna height (m asl)", 0, 10000, 10, true, 1},
    SliderSpec{Slider::HScroll2, "HScroll2", "Obstruction height (m asl))", 0, 10000, 5, true, 1},
    SliderSpec{Slider::HScroll3, "HScroll3", "Dist to Obstruction (km)", 0, 100, 5, false, 1},
    SliderSpec{Slider::HScroll4, "HScroll4", "Tx Power (W)", 1, 15000, 1000, true, 10},
    SliderSpec{Slider::HScroll5, "HScroll5", "Tx line loss (dB)", 0, 100, 10, true, 10},
    SliderSpec{Slider::HScroll6, "HScroll6", "Rx Noise Figure (dB)", 0, 100, 30, true, 10},
    SliderSpec{Slider::HScroll7, "HScroll7", "RX line loss (dB)", 0, 100, 10, true, 10},
    SliderSpec{Slider::HScroll8, "HScroll8", "Antenna gain (dBi)", 0, 500, 150, true, 10},
    SliderSpec{Slider::HScroll9, "HScroll9", "Antenna Noise Temp (K)", 0, 400, 300, true, 1},
    SliderSpec{Slider::HScroll10, "HScroll10", "Rx Bandwidth (Hz)", 0, 5000, 2700, true, 1},
    SliderSpec{Slider::HScroll11, "HScroll11", " Antenna height (m asl)", 0, 10000, 10, true, 1},
    SliderSpec{Slider::HScroll12, "HScroll12", "Obstruction height (m asl))", 0, 10000, 5, true, 1},
    SliderSpec{Slider::HScroll13, "HScroll13", "Dist to Obstruction (km)", 0, 100, 5, false, 1},
    SliderSpec{Slider::HScroll14, "HScroll14", "Tx Power (W)", 1, 15000, 1000, true, 10},
    SliderSpec{Slider::HScroll15, "HScroll15", "Tx line loss (dB)", 0, 100, 10, true, 10},
    SliderSpec{Slider::HScroll16, "HScroll16", "Rx Noise Figure (dB)", 0, 100, 30, true, 10},
    SliderSpec{Slider::HScroll17, "HScroll17", "RX line loss (dB)", 0, 100, 10, true, 10},
    SliderSpec{Slider::HScroll18, "HScroll18", "Antenna gain (dBi)", 0, 500, 150, true, 10},
    SliderSpec{Slider::HScroll19, "HScroll19", "Antenna Noise Temp (K)", 0, 400, 300, false, 1},
    SliderSpec{Slider::HScroll20, "HScroll20", "Rx Bandwidth (Hz)", 0, 5000, 2700, true, 1},
    SliderSpec{Slider::HScroll21, "HScroll21", "Frequency (MHz)", 50, 25000, 432, true, 1},
    SliderSpec{Slider::HScroll22, "HScroll22", "Distance (km)", 1, 2000, 250, true, 1},
    SliderSpec{Slider::HScroll23, "HScroll23", "N value sea level (~310)", 270, 350, 310, false, 1},
}};

constexpr const SliderSpec& sliderSpec(Slider s) { return kSliders[static_cast<std::size_t>(sliderIndex(s))]; }

std::optional<Slider> sliderByName(std::string_view name);

// Start positions of all sliders, indexed by sliderIndex.
constexpr SliderPositions startPositions() {
    SliderPositions positions{};
    for (const SliderSpec& info : kSliders) positions[static_cast<std::size_t>(sliderIndex(info.slider))] = info.start;
    return positions;
}

}  // namespace tropolink
