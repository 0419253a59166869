#pragma once

#include <pybind11/pybind11.h>

#include <filesystem>
#include <memory>
#include <optional>

#include "link/site_climate.h"
#include "plan/plan_run.h"

namespace tropolink::python {

// itu_maps_at: N0, ΔN and the climate zone from the ITU-R maps, with its docstring.
void addClimateFunctions(pybind11::module_& module);

// The climate maps the tool would use, with `maps` a folder or None, from
// the maps service: read once and kept while their files stay as they were.
// None when no folder holds them; ValueError for a refused map.
MapsInUse installedMaps(const pybind11::object& maps);

// The same with the complete P.2001's 14 maps beside them, each none when
// not installed; ValueError for a refused map.
PlanMaps installedPlanMaps(const pybind11::object& maps);

}  // namespace tropolink::python
