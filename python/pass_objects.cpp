#include "python/pass_objects.h"

#include <optional>
#include <vector>

#include "link/box_labels.h"
#include "link/pass_figures.h"
#include "link/pass_window.h"
#include "python/keyword_settings.h"

namespace py = pybind11;

namespace tropolink::python {
namespace {

// Builds the nested dict of --values: floats, bools, None and verdict names.
struct DictFigures {
    std::vector<py::dict> open{py::dict()};

    void begin(std::string_view name) {
        py::dict inner;
        open.back()[py::str(name.data(), name.size())] = inner;
        open.push_back(inner);
    }
    void end() { open.pop_back(); }
    void put(std::string_view name, py::object value) { open.back()[py::str(name.data(), name.size())] = value; }
    void figure(std::string_view name, double value) { put(name, py::float_(value)); }
    void figure(std::string_view name, bool value) { put(name, py::bool_(value)); }
    void figure(std::string_view name, const std::optional<double>& value) {
        put(name, value ? py::object(py::float_(*value)) : py::object(py::none()));
    }
    void figure(std::string_view name, ColumnVerdict verdict) {
        const std::string_view text = verdictName(verdict);
        put(name, py::str(text.data(), text.size()));
    }
};

}  // namespace

py::dict boxTexts(const HeadlessWindow& window) {
    py::dict boxes;
    for (int n = 1; n <= kResultBoxCount; ++n) {
        const ResultBox box = boxFromNumber(n);
        const std::string_view name = boxName(box);
        boxes[py::str(name.data(), name.size())] = py::str(window.boxText(box));
    }
    return boxes;
}

py::dict boxLabelTexts(bool powerDividedBy1000) {
    py::dict labels;
    for (int n = 1; n <= kResultBoxCount; ++n) {
        const ResultBox box = boxFromNumber(n);
        const std::string_view name = boxName(box);
        labels[py::str(name.data(), name.size())] = py::str(labelWithUnit(box, powerDividedBy1000));
    }
    return labels;
}

py::dict valuesObject(const PassValues& values) {
    DictFigures figures;
    visitPassFigures(values, figures);
    return figures.open.front();
}

Result calculate(const py::object& powerDividedBy1000, const py::kwargs& settings) {
    const Settings s = settingsFromKeywords(settings, flagValue(powerDividedBy1000, "power_div_1000"));
    HeadlessWindow window;
    const PassValues values = runPass(window, s);
    return {boxTexts(window), valuesObject(values), boxLabelTexts(s.powerDividedBy1000)};
}

}  // namespace tropolink::python
