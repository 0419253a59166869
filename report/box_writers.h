#pragma once

#include <string>

#include "link/pass_window.h"
#include "engine/recalculate.h"

namespace tropolink {

// "Text1<TAB>text<TAB>label (unit)" lines for Text1..Text52; an empty box
// leaves nothing between the tabs.
void appendBoxLines(std::string& out, const HeadlessWindow& window);

// One line: {"Text1":"...",...,"Text52":"..."}, with the "values" member
// beside the boxes when `values` is given.
void appendBoxObject(std::string& out, const HeadlessWindow& window, const PassValues* values);

// The same object without its line end, to stand inside another.
void appendBoxObjectValue(std::string& out, const HeadlessWindow& window, const PassValues* values);

}  // namespace tropolink
