#pragma once

#include <pybind11/pybind11.h>

namespace tropolink::python {

// One pass per row of `table` (a mapping of equal-length 1-D arrays or
// scalars, or a structured array), the figures of --values as arrays.
pybind11::dict calculateMany(const pybind11::object& table, bool powerDividedBy1000);

}  // namespace tropolink::python
