#pragma once

#include <array>
#include <string>
#include <string_view>

#include "engine/recalculate.h"
#include "engine/result_box.h"
#include "link/pass_window.h"

namespace tropolink {

// The texts of the 52 boxes in box order, as a window shows them after a
// pass, and whether the power boxes read in mW. Views into the boxes' owner.
struct BoxTexts {
    std::array<std::string_view, kResultBoxCount> texts;
    bool powerDividedBy1000 = false;
};

BoxTexts boxTextsOf(const HeadlessWindow& window);
BoxTexts boxTextsOf(const std::array<std::string, kResultBoxCount>& texts, bool powerDividedBy1000);

// "Text1<TAB>text<TAB>label (unit)" lines for Text1..Text52; an empty box
// leaves nothing between the tabs.
void appendBoxLines(std::string& out, const BoxTexts& boxes);

// One line: {"Text1":"...",...,"Text52":"..."}, with the "values" member
// beside the boxes when `values` is given.
void appendBoxObject(std::string& out, const BoxTexts& boxes, const PassValues* values);

// The same object without its line end, to stand inside another.
void appendBoxObjectValue(std::string& out, const BoxTexts& boxes, const PassValues* values);

}  // namespace tropolink
