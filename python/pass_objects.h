#pragma once

#include <pybind11/pybind11.h>

#include "engine/headless_window.h"
#include "engine/numeric_fault.h"
#include "engine/recalculate.h"

namespace tropolink::python {

// What calculate() returns: the 52 box texts, their labels and the figures of --values.
struct Result {
    pybind11::dict boxes;   // "Text1".."Text52" -> text
    pybind11::dict values;  // nested as in --values; None where a figure is absent
    pybind11::dict labels;  // "Text1".."Text52" -> "Path loss, YEH (dB)"
};

pybind11::dict boxTexts(const HeadlessWindow& window);
pybind11::dict boxLabelTexts(bool powerDividedBy1000);
pybind11::dict valuesObject(const PassValues& values);

// One pass with the settings given as keywords; InputError for a refused one,
// TypeError for a value of the wrong type.
Result calculate(const pybind11::object& powerDividedBy1000, const pybind11::kwargs& settings);

}  // namespace tropolink::python
