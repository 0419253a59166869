#pragma once

#include <filesystem>
#include <span>
#include <string>
#include <vector>

#include "climate/map_format.h"

namespace tropolink::climate {

struct ImportResult {
    std::filesystem::path folder;
    std::vector<MapKind> installed;  // by this import
    std::vector<MapKind> missing;    // still absent from the folder after it
};

// Installs the maps found in `files` into `targetDir`. Each file is either
// one of N050.TXT, DN50.TXT and TropoClim.txt (by name, in any letter case)
// or a ZIP, searched at any depth and inside ZIPs within it for those names;
// the first of each found is taken. Every map found is checked before any is
// written; each is then written beside its final name and renamed over it, so
// that a failed import leaves the maps already there as they were.
// Throws MapError for a refused map, InstallError for a file or ZIP that
// holds no map or cannot be read, or a folder that cannot be written.
ImportResult importMaps(std::span<const std::filesystem::path> files, const std::filesystem::path& targetDir);

// One line for the user: what was installed where, what is still missing
// and which Recommendation's ZIP holds it.
std::string describeImport(const ImportResult& result);

}  // namespace tropolink::climate
