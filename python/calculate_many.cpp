#include "python/calculate_many.h"

#include <pybind11/numpy.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "grammar/input_error.h"
#include "grammar/number_position.h"
#include "grammar/settings.h"
#include "python/keyword_settings.h"
#include "python/row_passes.h"

namespace py = pybind11;

namespace tropolink::python {
namespace {

constexpr std::string_view kAllowedColumn = "a 1-D array or a scalar of numbers";
constexpr std::string_view kAllowedThreads = "None or 1 to 1024";
constexpr long kMaximumThreads = 1024;

// One input column as NumPy gives it: int64, uint64 or float64, any strides;
// one value or one per row.
struct Column {
    std::string key;
    SettingName name;
    py::array values;
    char kind = 'f';          // 'i', 'u' or 'f'
    py::ssize_t length = 1;   // 1 for a scalar, which every row shares; 0 for no rows
    bool shared = true;
    PositionColumn positions{};

    template <class T>
    T at(py::ssize_t i) const {
        T value;  // a field of a packed structured array need not be aligned
        const py::ssize_t step = values.ndim() == 0 ? 0 : values.strides(0);
        std::memcpy(&value, static_cast<const char*>(values.data()) + i * step, sizeof value);
        return value;
    }
    std::string valueText(py::ssize_t i) const {
        if (kind == 'i') return std::to_string(at<std::int64_t>(i));
        if (kind == 'u') return std::to_string(at<std::uint64_t>(i));
        return plainDecimal(at<double>(i));
    }
    std::string assignment(py::ssize_t i) const { return key + "=" + valueText(i); }
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

[[noreturn]] void refuseColumn(const std::string& key, const std::string& problem) {
    throw py::type_error(quoteInput(key) + ": " + problem + " (allowed: " + std::string(kAllowedColumn) + ")");
}

Column readColumn(const std::string& key, const py::object& values) {
    const py::array array = py::module_::import("numpy").attr("asarray")(values);
    if (array.ndim() > 1)
        refuseColumn(key, "an array of shape " + std::string(py::str(py::object(array.attr("shape")))));
    const char kind = array.dtype().kind();
    Column c;
    c.key = key;
    // Wide enough for every value: the first refused one is shown as given.
    if (kind == 'i')
        c.values = array.cast<py::array_t<std::int64_t, py::array::forcecast>>();
    else if (kind == 'u')
        c.values = array.cast<py::array_t<std::uint64_t, py::array::forcecast>>();
    else if (kind == 'f')
        c.values = array.cast<py::array_t<double, py::array::forcecast>>();
    else
        refuseColumn(key, "an array of dtype " + std::string(py::str(py::object(array.dtype()))) + ", not numbers");
    c.kind = kind;
    c.shared = array.ndim() == 0;
    c.length = c.shared ? 1 : array.shape(0);
    c.name = settingNameOf(key, key + "=" + (c.length > 0 ? c.valueText(0) : std::string()));
    c.positions.sliderIndex = static_cast<std::size_t>(sliderIndex(c.name.slider->slider));
    return c;
}

constexpr std::int64_t kWholeLimit = 1'000'000'000;

// A whole or real value's position, when it is on the grid and within reach.
std::optional<long long> fastPosition(const Column& c, py::ssize_t i, int perUnit) {
    if (c.kind == 'f') {
        const DecimalPosition d = numberToPosition(c.at<double>(i), perUnit);
        if (d.status == DecimalStatus::Ok) return d.position;
        return std::nullopt;
    }
    // Below the limit v × perUnit fits as well.
    if (c.kind == 'u') {
        const std::uint64_t v = c.at<std::uint64_t>(i);
        if (v < static_cast<std::uint64_t>(kWholeLimit)) return static_cast<long long>(v) * perUnit;
        return std::nullopt;
    }
    const std::int64_t v = c.at<std::int64_t>(i);
    if (v > -kWholeLimit && v < kWholeLimit) return v * perUnit;
    return std::nullopt;
}

// Every row's position, checked as calculate() checks a value; throws
// ValueError prefixed with the row for the first refused one.
void readPositions(Column& c, bool powerDividedBy1000) {
    std::vector<int>& out = c.positions.positions;
    out.resize(static_cast<std::size_t>(c.length));
    const SliderSpec& slider = *c.name.slider;
    const int perUnit = c.name.positionsPerUnit();
    for (py::ssize_t i = 0; i < c.length; ++i) {
        const std::optional<long long> position = fastPosition(c, i, perUnit);
        if (position && *position >= slider.minimum && *position <= slider.maximum) {
            out[static_cast<std::size_t>(i)] = static_cast<int>(*position);
            continue;
        }
        try {
            out[static_cast<std::size_t>(i)] = validatePosition(
                c.name, decimalToPosition(c.valueText(i), perUnit), powerDividedBy1000, c.assignment(i));
        } catch (const InputError& e) {
            throw py::value_error("row " + std::to_string(i) + ": " + e.what());
        }
    }
}

unsigned threadCount(const py::object& threads) {
    if (threads.is_none()) return static_cast<unsigned>(std::max(1L, sysconf(_SC_NPROCESSORS_ONLN)));
    const std::string text = valueText(threads, "threads", kAllowedThreads);
    const DecimalPosition count = decimalToPosition(text, 1);
    if (count.status != DecimalStatus::Ok) throw InputError("threads=" + text, "not a whole number", kAllowedThreads);
    if (count.position < 1 || count.position > kMaximumThreads)
        throw InputError("threads=" + text, "out of range", kAllowedThreads);
    return static_cast<unsigned>(count.position);
}

// What a call keeps besides its input: the output arrays and the checked positions.
std::size_t bytesPerRow(const std::vector<FigureField>& fields, const std::vector<Column>& columns) {
    std::size_t bytes = 0;
    for (const FigureField& f : fields) bytes += f.kind == 'f' ? sizeof(double) : 1;
    for (const Column& c : columns)
        if (!c.shared) bytes += sizeof(int);
    return bytes;
}

void refuseBeyondMemory(std::size_t rows, std::size_t rowBytes) {
    const auto pages = static_cast<double>(sysconf(_SC_PHYS_PAGES));
    const auto pageBytes = static_cast<double>(sysconf(_SC_PAGE_SIZE));
    const double needed = static_cast<double>(rows) * static_cast<double>(rowBytes);
    if (pages <= 0 || pageBytes <= 0 || needed <= pages * pageBytes) return;
    const auto gigabytes = [](double bytes) { return plainDecimal(std::round(bytes / 1e8) / 10) + " GB"; };
    PyErr_SetString(PyExc_MemoryError, (std::to_string(rows) + " rows need " + gigabytes(needed) + " (" +
                                        std::to_string(rowBytes) + " bytes per row), more than the " +
                                        gigabytes(pages * pageBytes) + " of physical memory")
                                           .c_str());
    throw py::error_already_set();
}

}  // namespace

py::dict calculateMany(const py::object& table, const py::object& powerDividedBy1000, const py::object& threads) {
    const bool power = flagValue(powerDividedBy1000, "power_div_1000");
    const unsigned threadsWanted = threadCount(threads);
    std::vector<Column> columns;
    py::ssize_t rows = 1;
    std::string rowsFrom;
    for (const auto& [key, values] : tableItems(table)) {
        Column c = readColumn(key, values);
        if (!c.shared) {
            if (!rowsFrom.empty() && c.length != rows)
                throw py::value_error("table[\"" + key + "\"] has " + std::to_string(c.length) + " rows, table[\"" +
                                      rowsFrom + "\"] " + std::to_string(rows));
            rows = c.length;
            rowsFrom = key;
        }
        for (const Column& before : columns)
            if (before.name.slider == c.name.slider && rows > 0) refuseRepeatedSlider(c.name, c.assignment(0));
        columns.push_back(std::move(c));
    }
    const std::vector<FigureField> fields = figureFields();
    refuseBeyondMemory(static_cast<std::size_t>(rows), bytesPerRow(fields, columns));
    for (Column& c : columns) readPositions(c, power);

    py::dict result;
    std::vector<void*> out;
    for (const FigureField& f : fields) {
        py::array array;
        if (f.kind == 'f') array = py::array_t<double>(rows);
        if (f.kind == '?') array = py::array_t<bool>(rows);
        if (f.kind == 'u') array = py::array_t<std::uint8_t>(rows);
        out.push_back(array.mutable_data());
        result[py::str(f.name)] = array;
    }
    std::vector<PositionColumn> positions;
    for (Column& c : columns) positions.push_back(std::move(c.positions));
    columns.clear();  // the positions are all that is needed now

    if (const auto fault = computeRows(positions, out, static_cast<std::size_t>(rows), power, threadsWanted)) {
        const std::string message =
            "row " + std::to_string(fault->row) + ": numeric fault: could not compute the " + fault->quantity;
        PyErr_SetString(PyExc_ArithmeticError, message.c_str());
        throw py::error_already_set();
    }
    return result;
}

}  // namespace tropolink::python
