#include "python/keyword_settings.h"

#include <algorithm>

#include "link/number_position.h"
#include "link/setting_names.h"

namespace py = pybind11;

namespace tropolink::python {
namespace {

std::string keywordOf(std::string_view alias) {
    std::string keyword(alias);
    std::replace_if(
        keyword.begin(), keyword.end(), [](char c) { return c == '.' || c == '-'; }, '_');
    return keyword;
}

}  // namespace

std::string toolName(std::string_view keyword) {
    for (const Alias& alias : kAliases)
        if (keywordOf(alias.name) == keyword) return std::string(alias.name);
    return std::string(keyword);
}

std::string valueText(py::handle value) {
    if (PyBool_Check(value.ptr())) throw py::type_error("a setting is a number, not a bool");
    if (PyUnicode_Check(value.ptr())) return value.cast<std::string>();
    if (PyIndex_Check(value.ptr())) return py::str(py::reinterpret_steal<py::object>(PyNumber_Index(value.ptr())));
    if (PyFloat_Check(value.ptr()) || py::hasattr(value, "__float__"))
        return plainDecimal(py::cast<double>(py::float_(py::reinterpret_borrow<py::object>(value))));
    throw py::type_error("a setting is a number or its decimal text, not " +
                         std::string(py::str(value.get_type().attr("__name__"))));
}

Settings settingsFromKeywords(const py::dict& keywords, bool powerDividedBy1000) {
    SettingsBuilder builder(powerDividedBy1000);
    for (const auto& [key, value] : keywords)
        builder.assign(toolName(key.cast<std::string>()) + "=" + valueText(value));
    return builder.settings();
}

}  // namespace tropolink::python
