#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "coverage/band_quantity.h"
#include "plot/plot_axis.h"

// The colours of a map's values: viridis, which is perceptually uniform and
// reads in grey and to the colour-blind, from dark purple at the worse end of
// the scale to yellow at the better one.
namespace tropolink::coverage {

struct Rgb {
    std::uint8_t r = 0;
    std::uint8_t g = 0;
    std::uint8_t b = 0;
};

// t from 0 (dark purple) to 1 (yellow); t outside is held to the ends.
Rgb viridis(double t);

struct ColourScale {
    plot::Ticks ticks;  // round numbers; the scale runs from the first to the last
    bool higherIsBetter = false;
    std::optional<double> limit;  // marked on the scale
    std::string label;            // "Lb, dB"
    std::string unit;             // "dB"

    double lowest() const { return ticks.values.front(); }
    double highest() const { return ticks.values.back(); }
    // Where the value lies, 0 at the worse end and 1 at the better one.
    double position(double value) const;
    Rgb colour(double value) const { return viridis(position(value)); }
};

// The scale that holds all but the lowest and highest 1 % of the finite
// values (those take the end colours), and the quantity's limit.
ColourScale colourScale(std::span<const float> values, const BandQuantity& quantity);

}  // namespace tropolink::coverage
