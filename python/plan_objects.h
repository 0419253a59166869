#pragma once

#include <pybind11/pybind11.h>

#include <optional>
#include <string>

#include "plan/plan_check.h"

namespace tropolink::python {

// tropolink.Plan: a link plan loaded from a file or made from keywords,
// checked as the file is, saved in the canonical layout and run.
void addPlanClass(pybind11::module_& module);

// A tropolink.Plan's checked plan and its file ("" for one made from
// keywords); none for any other object.
struct PlanOfObject {
    CheckedPlan checked;
    std::string file;
};
std::optional<PlanOfObject> planOfObject(const pybind11::handle& value);

}  // namespace tropolink::python
