#pragma once

#include <pybind11/pybind11.h>

namespace tropolink::python {

// tropolink.coverage, with its docstring.
void addCoverageFunction(pybind11::module_& module);

}  // namespace tropolink::python
