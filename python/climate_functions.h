#pragma once

#include <pybind11/pybind11.h>

namespace tropolink::python {

// itu_maps_at: N0, ΔN and the climate zone from the ITU-R maps, with its docstring.
void addClimateFunctions(pybind11::module_& module);

}  // namespace tropolink::python
