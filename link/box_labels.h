#pragma once

#include <array>
#include <string>
#include <string_view>

#include "engine/result_box.h"

namespace tropolink {

// What a display box shows, for readers who don't have the window in front of
// them: its caption in the window's words, its unit, and the status words it
// can show instead of a number.
struct BoxLabel {
    std::string_view label;
    std::string_view unit;   // empty for a box without one
    std::string_view words;  // the status words it may show, "" for none
};

// Text1..Text52 in order.
const std::array<BoxLabel, kResultBoxCount>& boxLabels();

inline const BoxLabel& boxLabel(ResultBox box) {
    return boxLabels()[static_cast<std::size_t>(boxNumber(box) - 1)];
}

// "Path loss, YEH (dB)": the label with its unit. With power/1000 the power
// echoes read in milliwatts.
const std::string& labelWithUnit(ResultBox box, bool powerDividedBy1000);

}  // namespace tropolink
