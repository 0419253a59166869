#pragma once

#include <pybind11/pybind11.h>

namespace tropolink::python {

// p617_loss, p2001_loss and availability, with their docstrings.
void addItuFunctions(pybind11::module_& module);

}  // namespace tropolink::python
