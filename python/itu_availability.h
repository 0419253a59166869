#pragma once

#include <pybind11/pybind11.h>

namespace tropolink::python {

// tropolink.availability, with its docstring.
void addAvailabilityFunction(pybind11::module_& module);

}  // namespace tropolink::python
