#include "python/os_error.h"

#include <pybind11/pybind11.h>

namespace py = pybind11;

namespace tropolink::python {

void raiseOsError(std::error_code code, const std::string& message) {
    PyErr_SetObject(PyExc_OSError, py::make_tuple(code.value(), message).ptr());
    throw py::error_already_set();
}

}  // namespace tropolink::python
