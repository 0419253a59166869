#pragma once

#include <string>

namespace tropolink {

// Number texts with "." as the decimal point in every locale.

// The shortest text that reads back to the same double; `value` is finite.
void appendShortest(std::string& out, double value);

// `value` rounded to `decimals` places, e.g. 12.5 with 1 place is "12.5", with 0 places "12".
void appendFixed(std::string& out, double value, int decimals);

// The same as a string of its own.
inline std::string fixedText(double value, int decimals) {
    std::string text;
    appendFixed(text, value, decimals);
    return text;
}

}  // namespace tropolink
