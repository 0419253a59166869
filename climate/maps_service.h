#pragma once

#include <filesystem>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "climate/map_set.h"

namespace tropolink::climate {

// How the user puts the maps in place, for messages about missing ones.
inline constexpr std::string_view kMapsInstallHint =
    "install them with `tropolink-cli maps download`, or `tropolink-cli maps import FILE...` from the "
    "Recommendations' ZIPs";

// The maps, as every front end reads them: a folder's set is read once and
// handed out as shared maps that never change, and read again when one of
// its files changes (an import, a download), while whoever holds the old
// maps keeps them. A refused map is an error naming the file, never skipped
// for the defaults. Safe to call from any thread.
class MapsService {
public:
    // The set from the first of `folders` that holds all its maps; none when
    // none does. Throws MapError when one of them is refused.
    std::shared_ptr<const MapSet> find(MapSetId set, std::span<const std::filesystem::path> folders);
    // The same in the folders candidateMapsFolders gives for `mapsOption`; a
    // named folder that lacks one of the maps is an InstallError naming it.
    std::shared_ptr<const MapSet> find(MapSetId set, const std::optional<std::filesystem::path>& mapsOption);
    // The same, but a set no folder holds is an InstallError naming the
    // maps and the folders looked in.
    std::shared_ptr<const MapSet> require(MapSetId set, const std::optional<std::filesystem::path>& mapsOption);

    // The service of this process, which the command line, the Python module
    // and the planner share.
    static MapsService& shared();

private:
    struct Cached;  // a folder's set and what its files were when read
    std::shared_ptr<const MapSet> read(MapSetId set, const std::filesystem::path& folder);

    std::mutex mutex_;
    std::map<std::pair<std::filesystem::path, MapSetId>, std::shared_ptr<Cached>> cache_;
};

// "the ITU-R maps N050.TXT, DN50.TXT and TropoClim.txt": the files of a set, for messages.
std::string mapSetFiles(MapSetId set);

}  // namespace tropolink::climate
