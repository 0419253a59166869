#pragma once

#include <filesystem>
#include <optional>
#include <span>
#include <vector>

#include "climate/map_format.h"

namespace tropolink::climate {

inline constexpr std::string_view kMapsEnvironmentVariable = "TROPOLINK_MAPS";
inline constexpr std::string_view kSystemMapsFolder = "/usr/share/tropolink/itu-r";

// The folders where lookups look for the maps, in order. `--maps DIR` is the
// only one when given; else $TROPOLINK_MAPS (when set), the user's data
// folder ($XDG_DATA_HOME, or ~/.local/share, then tropolink/itu-r) and
// /usr/share/tropolink/itu-r.
std::vector<std::filesystem::path> candidateMapsFolders(const std::optional<std::filesystem::path>& mapsOption);

// Where imports and downloads install: `--maps DIR`, else the user's data
// folder; never the system's. Throws InstallError when neither that option
// nor $XDG_DATA_HOME nor $HOME gives one.
std::filesystem::path installMapsFolder(const std::optional<std::filesystem::path>& mapsOption);

// A map in `folder` under its usual name or, failing that, the same name in
// other letter case; none when absent.
std::optional<std::filesystem::path> mapFilePath(const std::filesystem::path& folder, MapKind kind);

// Whether `folder` holds every map of the set.
bool holdsMapSet(const std::filesystem::path& folder, MapSetId set);

// The first of `candidates` that holds every map of the set; none when none does.
std::optional<std::filesystem::path> findMapsFolder(std::span<const std::filesystem::path> candidates,
                                                    MapSetId set = MapSetId::Climate);

}  // namespace tropolink::climate
