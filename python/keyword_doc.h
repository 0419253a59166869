#pragma once

#include <string>

namespace tropolink::python {

// One line per keyword calculate() takes: its slider, unit, range, step and
// start, from the alias table and the sliders' ranges.
std::string keywordTable();

}  // namespace tropolink::python
