#pragma once

#include <pybind11/pybind11.h>

#include <string>
#include <string_view>

#include "grammar/keyword_names.h"
#include "grammar/settings.h"

namespace tropolink::python {

// A Python value as the VALUE text of NAME=VALUE, for `keyword`: an int or a
// NumPy integer as its digits, a float or a NumPy float as its shortest plain
// decimal, a str as its UTF-8 bytes (a lone surrogate too, which no number
// reads), a 0-d array as its element. Anything else -- bool and NumPy bool,
// None, an array of one or more dimensions -- raises TypeError
// "<keyword>=<repr>: <problem> (allowed: <allowed>)".
std::string valueText(pybind11::handle value, std::string_view keyword, std::string_view allowed);
// Without a keyword to name: the TypeError names the value only.
std::string valueText(pybind11::handle value);

// A flag such as power_div_1000: True or False, NumPy's included; TypeError
// naming `keyword` for anything else, None and numbers included.
bool flagValue(pybind11::handle value, std::string_view keyword);

// The settings of one pass, every keyword checked as the tool checks --set;
// a refusal names the keyword as given. Throws InputError or TypeError.
Settings settingsFromKeywords(const pybind11::dict& keywords, bool powerDividedBy1000);

}  // namespace tropolink::python
