#include "python/itu_arguments.h"

#include <algorithm>
#include <cmath>

#include "grammar/number_position.h"

namespace py = pybind11;

namespace tropolink::python {
namespace {

std::string typeName(const py::handle value) { return py::str(value.get_type().attr("__name__")); }

std::string shapeText(const std::vector<py::ssize_t>& shape) {
    std::string text = "(";
    for (std::size_t i = 0; i < shape.size(); ++i) text += (i > 0 ? ", " : "") + std::to_string(shape[i]);
    return text + (shape.size() == 1 ? ",)" : ")");
}

py::tuple shapeTuple(const std::vector<py::ssize_t>& shape) {
    py::tuple t(shape.size());
    for (std::size_t i = 0; i < shape.size(); ++i) t[i] = py::int_(shape[i]);
    return t;
}

std::vector<py::ssize_t> shapeOf(const py::array& a) { return {a.shape(), a.shape() + a.ndim()}; }

// The value as a NumPy array of a kind the argument allows.
py::array checkedArray(const ArgumentRule& rule, const py::object& value) {
    const std::string name = rule.name;
    const bool text = value.is_none() || PyUnicode_Check(value.ptr()) || PyBytes_Check(value.ptr()) ||
                      PyByteArray_Check(value.ptr());
    if (text) throw py::type_error(name + ": a number or an array of numbers, not " + typeName(value));
    const py::array a = py::module_::import("numpy").attr("asarray")(value);
    const char kind = a.dtype().kind();
    if (rule.kind == ArgumentKind::Flag) {
        if (kind != 'b') throw py::type_error(name + ": True or False (or a bool array), not " + typeName(value));
        return a;
    }
    if (kind != 'i' && kind != 'u' && kind != 'f')
        throw py::type_error(name + ": real numbers only, not " + std::string(py::str(a.dtype())) + " (" +
                             typeName(value) + ")");
    return a;
}

std::vector<py::ssize_t> broadcastShape(std::span<const ArgumentRule> rules, const std::vector<py::array>& arrays) {
    std::size_t ndim = 0;
    for (const py::array& a : arrays) ndim = std::max(ndim, static_cast<std::size_t>(a.ndim()));
    std::vector<py::ssize_t> shape(ndim, 1);
    std::vector<std::size_t> setBy(ndim, 0);  // the argument that gave each dimension its size
    for (std::size_t k = 0; k < arrays.size(); ++k) {
        const std::vector<py::ssize_t> own = shapeOf(arrays[k]);
        for (std::size_t d = 0; d < own.size(); ++d) {
            const std::size_t at = ndim - own.size() + d;
            if (own[d] == 1 || own[d] == shape[at]) continue;
            if (shape[at] != 1)
                throw py::value_error("shape " + shapeText(own) + " of " + rules[k].name + " and shape " +
                                      shapeText(shapeOf(arrays[setBy[at]])) + " of " + rules[setBy[at]].name +
                                      " do not broadcast together");
            shape[at] = own[d];
            setBy[at] = k;
        }
    }
    return shape;
}

}  // namespace

Broadcast broadcastArguments(std::span<const ArgumentRule> rules, std::span<const py::object> values) {
    std::vector<py::array> arrays;
    for (std::size_t k = 0; k < rules.size(); ++k) arrays.push_back(checkedArray(rules[k], values[k]));
    Broadcast b;
    b.shape = broadcastShape(rules, arrays);
    for (const py::ssize_t n : b.shape) b.rows *= static_cast<std::size_t>(n);
    const py::module_ numpy = py::module_::import("numpy");
    for (std::size_t k = 0; k < arrays.size(); ++k) {
        py::array& a = arrays[k];
        const bool single = a.size() == 1;
        if (!single && shapeOf(a) != b.shape)
            a = numpy.attr("broadcast_to")(a, shapeTuple(b.shape));
        auto doubles = py::array_t<double, py::array::c_style | py::array::forcecast>::ensure(a);
        // ensure() clears NumPy's own error when it fails.
        if (!doubles) throw py::type_error(rules[k].name + std::string(": numbers, not ") + typeName(values[k]));
        b.columns.push_back({doubles.data(), single ? 0U : 1U});
        b.owners.push_back(std::move(doubles));
    }
    return b;
}

std::string argumentText(const ArgumentRule& rule, const Column& column, std::size_t row) {
    const double v = column.at(row);
    std::string text = rule.name;
    if (column.step != 0) text += "[" + std::to_string(row) + "]";
    return text + "=" + (std::isfinite(v) ? plainDecimal(v) : std::string(py::str(py::float_(v))));
}

py::array_t<double> outputArray(const py::object& out, const std::vector<py::ssize_t>& shape) {
    if (!py::isinstance<py::array_t<double>>(out) || !py::array(out).dtype().is(py::dtype::of<double>()))
        throw py::value_error("out: a float64 array, not " + typeName(out));
    py::array_t<double> a = out.cast<py::array_t<double>>();
    if (shapeOf(a) != shape)
        throw py::value_error("out: shape " + shapeText(shapeOf(a)) + " where the result has shape " +
                              shapeText(shape));
    if (!(a.flags() & py::array::c_style) || !a.writeable())
        throw py::value_error("out: a writable C-contiguous array");
    return a;
}

}  // namespace tropolink::python
