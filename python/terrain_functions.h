#pragma once

#include <pybind11/pybind11.h>

#include <string>
#include <vector>

#include "ground/ground.h"
#include "terrain/site.h"

namespace tropolink::python {

// What terrain_profile returns: the ground between two sites, kept whole so
// that profile() reads the very points and places the tool would.
struct TerrainProfile {
    Ground ground;  // always placed
};

// A site as (lat, lon) or "LAT,LON", read as the tool reads --from; `name`
// names the argument in refusals.
terrain::Site siteOf(const pybind11::object& value, const char* name);
// `dem`: a path or a list of them (str or os.PathLike), as --dem gives them.
std::vector<std::string> demPaths(const pybind11::object& dem);

// tropolink.Profile and tropolink.terrain_profile, with their docstrings.
void addTerrainFunctions(pybind11::module_& module);

}  // namespace tropolink::python
