#pragma once

#include <pybind11/pybind11.h>

namespace tropolink::python {

// tropolink.profile, with its docstring.
void addProfileFunction(pybind11::module_& module);

}  // namespace tropolink::python
