#pragma once

#include <pybind11/pybind11.h>

namespace tropolink::python {

// tropolink.Plan: a link plan loaded from a file or made from keywords,
// checked as the file is, saved in the canonical layout and run.
void addPlanClass(pybind11::module_& module);

}  // namespace tropolink::python
