#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/headless_window.h"
#include "engine/mask.h"

namespace tropolink::test {

// Text of a number under a mask: optional "-" (never on a zero), the integer
// digits without a leading zero ("0" alone on a "0" mask, nothing on a "#"
// mask), the point, at most `decimals` decimals without a trailing zero.
bool isMaskedText(std::string_view text, Mask mask);

// A blank or "-", then the shortest decimal digits of the value: "0" alone, no
// leading zero, no trailing zero after the point, at most 15 significant digits.
bool isEchoText(std::string_view text);

// The number a masked or echoed text shows.
std::optional<double> parseNumber(std::string_view text);

// Everything wrong with the box texts after a pass at these inputs: a text that
// is empty, carries "nan", "inf" or an exponent, does not match its box's mask
// or status words, or echoes a value other than its slider's.
std::vector<std::string> boxFormatProblems(const HeadlessWindow& window);

}  // namespace tropolink::test
