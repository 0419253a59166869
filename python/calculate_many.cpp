#include "python/calculate_many.h"

#include <pybind11/numpy.h>

#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <vector>

#include "link/input_error.h"
#include "link/number_position.h"
#include "link/pass_figures.h"
#include "link/settings.h"
#include "engine/numeric_fault.h"
#include "python/keyword_settings.h"

namespace py = pybind11;

namespace tropolink::python {
namespace {

// One input column: whole numbers or floats, one value or one per row.
struct Column {
    SettingName name;
    std::string key;
    std::optional<py::array_t<std::int64_t>> whole;
    std::optional<py::array_t<double>> real;
    py::ssize_t length = 1;  // 1 for a scalar, which every row shares
    std::vector<int> positions;

    std::string valueText(py::ssize_t row) const {
        const py::ssize_t i = length == 1 ? 0 : row;
        return whole ? std::to_string(whole->data()[i]) : plainDecimal(real->data()[i]);
    }
    std::string assignment(py::ssize_t row) const { return std::string(name.text()) + "=" + valueText(row); }
};

std::vector<std::pair<std::string, py::object>> tableItems(const py::object& table) {
    std::vector<std::pair<std::string, py::object>> items;
    py::object names = py::none();
    if (py::hasattr(table, "dtype")) names = table.attr("dtype").attr("names");
    if (names.is_none() && !py::hasattr(table, "keys"))
        throw py::type_error("table: a dict of arrays or a structured array expected");
    for (const py::handle key : names.is_none() ? table.attr("keys")() : names)
        items.emplace_back(py::str(key), table[key]);
    return items;
}

Column readColumn(const std::string& key, const py::object& values) {
    const std::string tool = toolName(key);
    const py::array array = py::module_::import("numpy").attr("asarray")(values);
    if (array.ndim() > 1) throw py::value_error("table[\"" + key + "\"]: a 1-D array or a scalar expected");
    const char kind = array.dtype().kind();
    Column c;
    c.key = key;
    if (kind == 'i' || kind == 'u')
        c.whole = array.cast<py::array_t<std::int64_t, py::array::c_style | py::array::forcecast>>();
    else if (kind == 'f')
        c.real = array.cast<py::array_t<double, py::array::c_style | py::array::forcecast>>();
    else
        throw py::type_error("table[\"" + key + "\"]: numbers expected, not dtype " +
                             std::string(py::str(array.dtype())));
    c.length = array.ndim() == 0 ? 1 : array.shape(0);
    if (c.length == 0) c.length = -1;  // an empty column: no rows
    const auto name = findSettingName(tool);
    // An unknown name is refused as the tool refuses it, with the first value.
    if (!name)
        c.name = splitAssignment(tool + "=" + (c.length > 0 ? c.valueText(0) : std::string())).name;
    else
        c.name = *name;
    return c;
}

constexpr std::int64_t kWholeLimit = 1'000'000'000;

// Every row's position, checked as the tool checks a VALUE; throws
// InputError prefixed with the row for the first refused one.
void readPositions(Column& c, py::ssize_t rows, bool powerDividedBy1000) {
    const py::ssize_t count = c.length == 1 ? 1 : rows;
    c.positions.resize(static_cast<std::size_t>(count));
    const SliderSpec& slider = *c.name.slider;
    const int perUnit = c.name.positionsPerUnit();
    for (py::ssize_t i = 0; i < count; ++i) {
        const DecimalPosition d = c.whole ? DecimalPosition{DecimalStatus::Ok, 0}
                                               : numberToPosition(c.real->data()[i], perUnit);
        long long position = d.position;
        bool ok = d.status == DecimalStatus::Ok;
        if (c.whole) {
            const std::int64_t v = c.whole->data()[i];
            ok = v > -kWholeLimit && v < kWholeLimit;  // then v × perUnit fits as well
            position = ok ? v * perUnit : 0;
        }
        if (ok && position >= slider.minimum && position <= slider.maximum) {
            c.positions[static_cast<std::size_t>(i)] = static_cast<int>(position);
            continue;
        }
        const std::string input = c.assignment(i);
        try {
            validatePosition(c.name, decimalToPosition(c.valueText(i), perUnit), powerDividedBy1000, input);
        } catch (const InputError& e) {
            throw py::value_error("row " + std::to_string(c.length == 1 ? 0 : i) + ": " + e.what());
        }
    }
}

// The schema: one output array per figure, in --values order, dotted names.
struct SchemaFigures {
    std::vector<std::string> path;
    std::vector<std::pair<std::string, char>> fields;  // name, 'f' float64, '?' bool, 'u' verdict code

    std::string nameOf(std::string_view name) const {
        std::string full;
        for (const std::string& part : path) full += part + ".";
        return full + std::string(name);
    }
    void begin(std::string_view name) { path.emplace_back(name); }
    void end() { path.pop_back(); }
    void figure(std::string_view name, bool) { fields.emplace_back(nameOf(name), '?'); }
    void figure(std::string_view name, ColumnVerdict) { fields.emplace_back(nameOf(name), 'u'); }
    template <class T>
    void figure(std::string_view name, const T&) {
        fields.emplace_back(nameOf(name), 'f');
    }
};

// Writes one row of figures into the output arrays, in schema order.
struct RowFigures {
    const std::vector<void*>& out;
    std::size_t row = 0;
    std::size_t field = 0;

    template <class T>
    void put(T value) {
        static_cast<T*>(out[field++])[row] = value;
    }
    void begin(std::string_view) {}
    void end() {}
    void figure(std::string_view, double value) { put(value); }
    void figure(std::string_view, bool value) { put(value); }
    void figure(std::string_view, const std::optional<double>& value) {
        put(value ? *value : std::numeric_limits<double>::quiet_NaN());
    }
    void figure(std::string_view, ColumnVerdict verdict) { put(static_cast<std::uint8_t>(verdict)); }
};

}  // namespace

py::dict calculateMany(const py::object& table, bool powerDividedBy1000) {
    std::vector<Column> columns;
    py::ssize_t rows = 1;
    std::string rowsFrom;
    for (const auto& [key, values] : tableItems(table)) {
        Column c = readColumn(key, values);
        if (c.length != 1) {
            const py::ssize_t n = c.length < 0 ? 0 : c.length;
            if (!rowsFrom.empty() && n != rows)
                throw py::value_error("table[\"" + key + "\"] has " + std::to_string(n) + " rows, table[\"" + rowsFrom +
                                      "\"] " + std::to_string(rows));
            rows = n;
            rowsFrom = key;
        }
        for (const Column& before : columns)
            if (before.name.slider == c.name.slider && rows > 0) refuseRepeatedSlider(c.name, c.assignment(0));
        columns.push_back(std::move(c));
    }
    for (Column& c : columns) readPositions(c, rows, powerDividedBy1000);

    SchemaFigures schema;
    visitPassFigures(PassValues{}, schema);
    py::dict result;
    std::vector<void*> out;
    for (const auto& [name, kind] : schema.fields) {
        py::array array;
        if (kind == 'f') array = py::array_t<double>(rows);
        if (kind == '?') array = py::array_t<bool>(rows);
        if (kind == 'u') array = py::array_t<std::uint8_t>(rows);
        out.push_back(array.mutable_data());
        result[py::str(name)] = array;
    }

    std::optional<std::pair<py::ssize_t, std::string>> fault;
    {
        const py::gil_scoped_release unlocked;
        SliderPositions positions = startPositions();
        RowFigures writer{out};
        for (py::ssize_t row = 0; row < rows; ++row) {
            for (const Column& c : columns)
                positions[static_cast<std::size_t>(sliderIndex(c.name.slider->slider))] =
                    c.positions[c.length == 1 ? 0 : static_cast<std::size_t>(row)];
            try {
                const PassValues values = computePassValues(positions, powerDividedBy1000);
                writer.row = static_cast<std::size_t>(row);
                writer.field = 0;
                visitPassFigures(values, writer);
            } catch (const NumericFault& e) {
                fault.emplace(row, e.quantity());
                break;
            }
        }
    }
    if (fault) {
        const std::string message =
            "row " + std::to_string(fault->first) + ": numeric fault: could not compute the " + fault->second;
        PyErr_SetString(PyExc_ArithmeticError, message.c_str());
        throw py::error_already_set();
    }
    return result;
}

}  // namespace tropolink::python
