#include "python/keyword_settings.h"

#include <pybind11/numpy.h>

#include <algorithm>
#include <bitset>

#include "grammar/input_error.h"
#include "grammar/number_position.h"
#include "grammar/setting_names.h"

namespace py = pybind11;

namespace tropolink::python {
namespace {

constexpr std::string_view kAllowedAnyNumber = "a number or its decimal text";

// A str's UTF-8 bytes; a lone surrogate passes as its three bytes rather than failing.
std::string utf8Of(py::handle text) {
    const auto bytes = py::reinterpret_steal<py::object>(PyUnicode_AsEncodedString(text.ptr(), "utf-8", "surrogatepass"));
    if (!bytes) throw py::error_already_set();
    return std::string(PyBytes_AS_STRING(bytes.ptr()), static_cast<std::size_t>(PyBytes_GET_SIZE(bytes.ptr())));
}

[[noreturn]] void refuseType(py::handle value, std::string_view keyword, std::string_view problem,
                             std::string_view allowed) {
    PyErr_Clear();
    const std::string shown = utf8Of(py::repr(value));
    const std::string input = keyword.empty() ? shown : std::string(keyword) + "=" + shown;
    throw py::type_error(quoteInput(input) + ": " + std::string(problem) + " (allowed: " + std::string(allowed) + ")");
}

std::string typeName(py::handle value) { return utf8Of(py::str(value.get_type().attr("__name__"))); }

bool isNumpyValue(py::handle value) {
    return py::isinstance<py::array>(value) || py::isinstance(value, py::module_::import("numpy").attr("generic"));
}

}  // namespace

std::string valueText(py::handle value, std::string_view keyword, std::string_view allowed) {
    py::object v = py::reinterpret_borrow<py::object>(value);
    // NumPy scalars and 0-d arrays stand for the Python value they hold.
    if (isNumpyValue(v)) {
        const auto ndim = py::cast<py::ssize_t>(v.attr("ndim"));
        if (ndim != 0)
            refuseType(value, keyword, "an array of shape " + utf8Of(py::str(v.attr("shape"))) + ", not one number",
                       allowed);
        v = v.attr("item")();
    }
    if (v.is_none()) refuseType(value, keyword, "None, not a number", allowed);
    if (PyBool_Check(v.ptr())) refuseType(value, keyword, "a bool, not a number", allowed);
    if (PyUnicode_Check(v.ptr())) return utf8Of(v);
    if (PyFloat_Check(v.ptr())) return plainDecimal(PyFloat_AS_DOUBLE(v.ptr()));
    if (PyIndex_Check(v.ptr())) {
        const auto whole = py::reinterpret_steal<py::object>(PyNumber_Index(v.ptr()));
        if (whole) return utf8Of(py::str(whole));
    } else if (py::hasattr(v, "__float__")) {
        const auto real = py::reinterpret_steal<py::object>(PyNumber_Float(v.ptr()));
        if (real) return plainDecimal(PyFloat_AS_DOUBLE(real.ptr()));
    }
    refuseType(value, keyword, "a " + typeName(v) + ", not a number or its decimal text", allowed);
}

std::string valueText(py::handle value) { return valueText(value, {}, kAllowedAnyNumber); }

bool flagValue(py::handle value, std::string_view keyword) {
    if (PyBool_Check(value.ptr())) return value.ptr() == Py_True;
    if (py::isinstance(value, py::module_::import("numpy").attr("bool_"))) return PyObject_IsTrue(value.ptr()) == 1;
    refuseType(value, keyword, "not a flag", "True or False");
}

Settings settingsFromKeywords(const py::dict& keywords, bool powerDividedBy1000) {
    Settings settings;
    settings.powerDividedBy1000 = powerDividedBy1000;
    std::bitset<kSliderCount> assigned;
    for (const auto& [key, value] : keywords) {
        const std::string keyword = utf8Of(key);
        std::string text;
        try {
            text = valueText(value, keyword, kAllowedAnyNumber);
        } catch (const py::type_error&) {
            text = utf8Of(py::repr(value));  // shown only when the keyword is unknown as well
        }
        const SettingName name = settingNameOf(keyword, keyword + "=" + text);
        text = valueText(value, keyword, allowedValues(name, powerDividedBy1000));
        const std::string input = keyword + "=" + text;
        const int position =
            validatePosition(name, decimalToPosition(text, name.positionsPerUnit()), powerDividedBy1000, input);
        const auto index = static_cast<std::size_t>(sliderIndex(name.slider->slider));
        if (assigned.test(index)) refuseRepeatedSlider(name, input);
        assigned.set(index);
        settings.positions[index] = position;
    }
    return settings;
}

}  // namespace tropolink::python
