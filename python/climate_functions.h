#pragma once

#include <pybind11/pybind11.h>

#include <filesystem>
#include <memory>
#include <optional>

#include "climate/lookup.h"

namespace tropolink::python {

// itu_maps_at: N0, ΔN and the climate zone from the ITU-R maps, with its docstring.
void addClimateFunctions(pybind11::module_& module);

struct InstalledMaps {
    std::filesystem::path folder;
    std::shared_ptr<const climate::ClimateMaps> maps;
};

// The maps the tool would use, with `maps` a folder or None: read once and
// kept while their files stay as they were, so every function shares them.
// None when no folder holds all three; ValueError for a refused map.
std::optional<InstalledMaps> installedMaps(const pybind11::object& maps);

}  // namespace tropolink::python
