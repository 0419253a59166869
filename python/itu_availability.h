#pragma once

#include <pybind11/pybind11.h>

#include <string>
#include <vector>

#include "engine/path_geometry.h"
#include "itur/availability.h"

namespace tropolink::python {

// tropolink.availability, with its docstring.
void addAvailabilityFunction(pybind11::module_& module);

// The object that `tropolink-cli availability --json` prints, member for member;
// with the calculator's geometry, its scattering angle and radius beside the methods'.
pybind11::dict answerObject(const itur::AvailabilityAnswer& answer, const PathGeometry* calculator = nullptr);

// A number, a sequence or an array of any shape, of real numbers, as the
// texts of --percent; never empty. ValueError otherwise.
std::vector<std::string> percentTexts(const pybind11::object& percent);

}  // namespace tropolink::python
