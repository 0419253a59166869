#pragma once

#include <pybind11/pybind11.h>

namespace tropolink::python {

// tropolink.short_term_outage, with its docstring.
void addFadingFunction(pybind11::module_& module);

}  // namespace tropolink::python
