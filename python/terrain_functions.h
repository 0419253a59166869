#pragma once

#include <pybind11/pybind11.h>

#include "ground/ground.h"
#include "terrain/site.h"

namespace tropolink::python {

// What terrain_profile returns: the ground between two sites, kept whole so
// that profile() reads the very points and places the tool would.
struct TerrainProfile {
    Ground ground;  // always placed
};

// A site given as "LAT,LON" or two real numbers (a tuple, list or array).
// Throws TerrainError naming `name`, TypeError for other types.
terrain::Site siteOf(const pybind11::object& value, const char* name);

// tropolink.Profile and tropolink.terrain_profile, with their docstrings.
void addTerrainFunctions(pybind11::module_& module);

}  // namespace tropolink::python
