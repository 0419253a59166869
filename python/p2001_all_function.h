#pragma once

#include <pybind11/pybind11.h>

namespace tropolink::python {

// tropolink.p2001_all, with its docstring.
void addP2001AllFunction(pybind11::module_& module);

}  // namespace tropolink::python
