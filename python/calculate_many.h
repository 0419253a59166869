#pragma once

#include <pybind11/pybind11.h>

namespace tropolink::python {

// One pass per row of `table` (a mapping of equal-length 1-D arrays or
// scalars, or a structured array), the figures of --values as arrays; on
// `threads` threads (None: every online processor) when the rows are many.
pybind11::dict calculateMany(const pybind11::object& table, const pybind11::object& powerDividedBy1000,
                             const pybind11::object& threads);

}  // namespace tropolink::python
