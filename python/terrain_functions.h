#pragma once

#include <pybind11/pybind11.h>

#include "ground/ground.h"

namespace tropolink::python {

// What terrain_profile returns: the ground between two sites, kept whole so
// that profile() reads the very points and places the tool would.
struct TerrainProfile {
    Ground ground;  // always placed
};

// tropolink.Profile and tropolink.terrain_profile, with their docstrings.
void addTerrainFunctions(pybind11::module_& module);

}  // namespace tropolink::python
