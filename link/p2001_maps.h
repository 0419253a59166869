#pragma once

#include <filesystem>
#include <memory>
#include <optional>
#include <span>
#include <string>

#include "climate/map_format.h"
#include "climate/map_set.h"
#include "climate/maps_service.h"
#include "p2001/map_lookups.h"

// The complete P.2001 method's map values from the installed maps.
namespace tropolink {

// The climate map that holds one of the method's 14.
climate::MapKind p2001MapKind(p2001::MapFile file);

// Reads the 14 maps of `maps` (a MapSetId::P2001All set from the maps
// service), each by its own look-up. The reader holds the set, so it stays
// valid however long it is kept, and may be called from many threads.
// Throws std::invalid_argument when `maps` is null or lacks one of the 14.
p2001::MapReader p2001MapReader(std::shared_ptr<const climate::MapSet> maps);

// One line for a user without the 14 maps: the folder that holds most of
// them (the first of `folders` when none holds any), the files it lacks,
// and how to install them.
std::string missingP2001MapsLine(std::span<const std::filesystem::path> folders);

// The note for a plan whose maps folder holds the troposcatter methods'
// maps but not all 14 of the complete P.2001 method; none when it holds them.
std::optional<std::string> p2001MapsNote(const std::filesystem::path& mapsFolder);

// The 14 maps from `maps`, in the folders candidateMapsFolders gives for
// `mapsOption`. Throws climate::InstallError with missingP2001MapsLine when
// no folder holds them all, climate::MapError when one is refused.
std::shared_ptr<const climate::MapSet> requireP2001Maps(
    const std::optional<std::filesystem::path>& mapsOption,
    climate::MapsService& maps = climate::MapsService::shared());

}  // namespace tropolink
