#pragma once

#include <pybind11/pybind11.h>

#include <string>
#include <string_view>

#include "link/settings.h"

namespace tropolink::python {

// The tool's name for a keyword: "s1_antenna_height_m" is
// "s1.antenna-height-m"; a slider name or an unknown word stays as it is.
std::string toolName(std::string_view keyword);

// A keyword's value as the VALUE text of NAME=VALUE: an int as its digits, a
// float as its shortest plain decimal, a str as given. Throws TypeError for
// anything else, bool included.
std::string valueText(pybind11::handle value);

// The settings of one pass, every keyword checked as the tool checks --set.
// Throws InputError.
Settings settingsFromKeywords(const pybind11::dict& keywords, bool powerDividedBy1000);

}  // namespace tropolink::python
