#pragma once

#include <filesystem>

#include "climate/map_format.h"
#include "climate/synthetic_maps.h"
#include "tests/climate/synthetic_maps.h"

// Every map the tool reads, from the one generator of synthetic maps, into
// the tests' own scratch folders: a set may replace another's file.
namespace tropolink::climate::testing {

using climate::constantMapText;
using climate::mapText;
using climate::syntheticValue;

inline void writeConstantMaps(const std::filesystem::path& folder, std::span<const MapKind> kinds) {
    climate::writeSyntheticMaps(folder, kinds, SyntheticFill::Constant, ExistingMaps::Replace);
}

// N050.TXT, DN50.TXT and TropoClim.txt: what plans and the troposcatter methods read.
inline void writeTroposcatterMaps(const std::filesystem::path& folder) { writeConstantMaps(folder, kClimateMaps); }

// The 14 maps of the complete P.2001 method.
inline void writeP2001AllMaps(const std::filesystem::path& folder) { writeConstantMaps(folder, kP2001AllMaps); }

// All 16: both sets.
inline void writeAllMaps(const std::filesystem::path& folder) { writeConstantMaps(folder, kMapKinds); }

}  // namespace tropolink::climate::testing
