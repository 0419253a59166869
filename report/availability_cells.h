#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace tropolink {

// The text of one figure of the availability table: 3 decimals, or
// scientific notation ("-2.235e+06") from a magnitude of 1e6 on, so that no
// finite value needs more than 11 characters.
std::string figureText(double value);

// `text` right-aligned in `width` characters; as it is when longer.
void padLeft(std::string& out, std::string_view text, std::size_t width);

// `text` left-aligned in `width` characters, and at least one space after it.
void padRight(std::string& out, std::string_view text, std::size_t width);

}  // namespace tropolink
