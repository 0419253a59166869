#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/link_parameters.h"
#include "grammar/option_ranges.h"

namespace tropolink {

// A station's radio as a link engineer gives it, beyond the calculator's
// sliders: up to 100 kW, 500 MHz of bandwidth, dishes by their diameter.
// Each member is set only for a value that is no slider position; a value on
// a slider sets the slider instead, so that the pass shows it in its boxes.
struct StationRadio {
    std::optional<double> txPowerW;
    std::optional<double> txLineLossDb;
    std::optional<double> rxNoiseFigureDb;
    std::optional<double> rxLineLossDb;
    std::optional<double> antennaGainDbi;
    std::optional<double> antennaNoiseTempK;
    std::optional<double> rxBandwidthHz;
};

struct PlanRadio {
    std::array<StationRadio, 2> stations;
    // "station1.tx-power = 2000", each value that is no slider position.
    std::vector<std::string> offSliders;
};

// One radio key of a station and how a plan may give it.
struct RadioKey {
    std::string_view name;  // "tx-power", without the station
    NumberOption option;
    std::optional<double> StationRadio::*member = nullptr;
    double scale = 1;  // the member's unit per the key's unit: 1e6 Hz per MHz
};

// The station's radio keys, the slider ones among them in slider order.
const std::vector<RadioKey>& radioKeys();
const RadioKey* findRadioKey(std::string_view name);

// tx-power in mW, when the plan sets power-div-1000.
const NumberOption& txPowerMilliwattOption();

inline constexpr NumberOption kAntennaDiameterOption{.name = "antenna-diameter-m",
                                                     .valueName = "D",
                                                     .meaning = "dish diameter",
                                                     .unit = "m",
                                                     .minimum = "0",
                                                     .maximum = "100",
                                                     .boundsExcluded = true};
inline constexpr NumberOption kAntennaEfficiencyOption{.name = "antenna-efficiency",
                                                       .valueName = "E",
                                                       .meaning = "dish aperture efficiency",
                                                       .minimum = "0.01",
                                                       .maximum = "1",
                                                       .defaultValue = "0.55"};

// G = 10 · log10(η (π D f / c)²), dBi.
double dishGainDbi(double diameterM, double efficiency, double frequencyMhz);

// The record with each value the radio gives that is no slider position.
void applyRadio(LinkParameters& params, const PlanRadio& radio);

// Why the boxes are left out, naming each value; empty when they are shown.
std::string boxesLeftOutNote(const PlanRadio& radio);

}  // namespace tropolink
