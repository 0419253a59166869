#include "python/os_error.h"

#include <pybind11/pybind11.h>

namespace py = pybind11;

namespace tropolink::python {

void raiseOsError(std::error_code code, const std::string& message, const std::string& filename) {
    const py::tuple arguments = filename.empty() ? py::make_tuple(code.value(), message)
                                                 : py::make_tuple(code.value(), message, py::str(filename));
    PyErr_SetObject(PyExc_OSError, arguments.ptr());
    throw py::error_already_set();
}

}  // namespace tropolink::python
