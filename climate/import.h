#pragma once

#include <filesystem>
#include <span>
#include <string>
#include <vector>

#include "climate/import_options.h"
#include "climate/map_format.h"

namespace tropolink::climate {

struct ImportResult {
    std::filesystem::path folder;
    std::vector<MapKind> installed;  // by this import
    std::vector<MapKind> missing;    // of any set, still absent from the folder after it
};

// A file to import from, and what messages call it (its path, or the address
// it was downloaded from).
struct ImportSource {
    std::filesystem::path file;
    std::string name;
};

// Installs the maps found in `sources` into `targetDir`. Each file is either
// one of the maps of kMapTable (by name, in any letter case) or a ZIP,
// searched at any depth and inside ZIPs within it for those names,
// within options.limits. Every map found is checked, and copies of one map
// must agree, before any is written; the maps are then written beside their
// final names and renamed over them while the folder is locked against other
// imports, so that a failed import leaves the maps already there as they were.
// Any refused file or member fails the whole import.
// Throws MapError for a refused map; InstallError for a file or ZIP that holds
// no map, cannot be read, is damaged or goes beyond the limits, for maps that
// disagree, or a folder that cannot be written or is locked; ImportCancelled
// when options.stop is set.
ImportResult importMaps(std::span<const ImportSource> sources, const std::filesystem::path& targetDir,
                        const ImportOptions& options = {});
// The same, messages calling each file by its path.
ImportResult importMaps(std::span<const std::filesystem::path> files, const std::filesystem::path& targetDir,
                        const ImportOptions& options = {});

// One line for the user: what was installed where, what the troposcatter
// methods still miss and what the complete P.2001 method needs beyond them,
// and which Recommendation's ZIP holds it.
std::string describeImport(const ImportResult& result);

}  // namespace tropolink::climate
