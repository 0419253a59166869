#pragma once

#include <filesystem>
#include <span>
#include <string_view>
#include <utility>

#include "climate/map_format.h"

namespace tropolink::climate {

// An exclusive hold on a maps folder while an import writes it, so that two
// imports at once cannot leave a mix of both. Throws InstallError when
// another import holds the folder. Where the file system cannot lock, the
// import goes on without.
class MapsFolderLock {
public:
    explicit MapsFolderLock(const std::filesystem::path& folder);
    ~MapsFolderLock();
    MapsFolderLock(const MapsFolderLock&) = delete;
    MapsFolderLock& operator=(const MapsFolderLock&) = delete;

private:
    int fd_ = -1;
};

// Makes the maps folder when absent. Throws InstallError when it cannot be
// made or is no folder.
void makeMapsFolder(const std::filesystem::path& folder);

// Writes each map's text into `folder` under its usual
// name: all beside their final names first, then each renamed over it, so
// that a failure before the renames leaves the folder as it was. Throws
// InstallError naming the folder.
void installMapTexts(std::span<const std::pair<MapKind, std::string_view>> maps, const std::filesystem::path& folder);

}  // namespace tropolink::climate
