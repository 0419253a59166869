#include "climate/maps_service.h"

#include <sys/stat.h>

#include "climate/map_error.h"
#include "climate/maps_folder.h"
#include "io/input_file.h"

namespace tropolink::climate {
namespace {

namespace fs = std::filesystem;

// What a map file was when it was read: a rename over it (an import) changes
// the inode, a write in place the time or the size.
struct FileStamp {
    fs::path path;
    dev_t device = 0;
    ino_t inode = 0;
    off_t sizeBytes = 0;
    long long modifiedSeconds = 0;
    long nanoseconds = 0;

    bool operator==(const FileStamp&) const = default;
};

std::vector<FileStamp> stampsOf(MapSetId set, const fs::path& folder) {
    std::vector<FileStamp> stamps;
    for (const MapKind kind : mapSetInfo(set).kinds) {
        FileStamp stamp;
        stamp.path = mapFilePath(folder, kind).value_or(fs::path());
        struct stat st {};
        if (!stamp.path.empty() && ::stat(stamp.path.c_str(), &st) == 0) {
            stamp.device = st.st_dev;
            stamp.inode = st.st_ino;
            stamp.sizeBytes = st.st_size;
            stamp.modifiedSeconds = st.st_mtim.tv_sec;
            stamp.nanoseconds = st.st_mtim.tv_nsec;
        }
        stamps.push_back(std::move(stamp));
    }
    return stamps;
}

std::string folderList(std::span<const fs::path> folders) {
    std::string list;
    for (const fs::path& folder : folders) list += (list.empty() ? "" : ", ") + printablePath(folder.string());
    return list;
}

// "DIR: lacks DN50.TXT and TropoClim.txt (allowed: ...)", or "no such folder".
std::string incompleteFolderLine(const fs::path& folder, MapSetId set) {
    std::error_code error;
    std::string why;
    if (!fs::is_directory(folder, error)) {
        why = "no such folder";
    } else {
        std::vector<std::string_view> missing;
        for (const MapKind kind : mapSetInfo(set).kinds)
            if (!mapFilePath(folder, kind)) missing.push_back(mapFormat(kind).fileName);
        why = "lacks ";
        for (std::size_t i = 0; i < missing.size(); ++i)
            why += std::string(i == 0 ? "" : i + 1 == missing.size() ? " and " : ", ") + std::string(missing[i]);
    }
    return printablePath(folder.string()) + ": " + why + " (allowed: a maps folder holding " + mapSetFiles(set) + ")";
}

}  // namespace

struct MapsService::Cached {
    std::vector<FileStamp> stamps;
    std::shared_ptr<const MapSet> maps;
};

std::shared_ptr<const MapSet> MapsService::read(MapSetId set, const fs::path& folder) {
    const std::vector<FileStamp> stamps = stampsOf(set, folder);
    const std::lock_guard lock(mutex_);
    std::shared_ptr<Cached>& cached = cache_[{folder, set}];
    if (cached && cached->stamps == stamps) return cached->maps;
    cached.reset();
    // Read under the lock: two runs that need the same new maps read them once.
    auto maps = std::make_shared<const MapSet>(readMapSet(set, folder));
    cached = std::make_shared<Cached>(Cached{stamps, maps});
    return maps;
}

std::shared_ptr<const MapSet> MapsService::find(MapSetId set, std::span<const fs::path> folders) {
    for (const fs::path& folder : folders)
        if (holdsMapSet(folder, set)) return read(set, folder);
    return nullptr;
}

std::shared_ptr<const MapSet> MapsService::find(MapSetId set, const std::optional<fs::path>& mapsOption) {
    // A folder the user named is never passed over for the defaults.
    if (mapsOption && !holdsMapSet(*mapsOption, set)) throw InstallError(incompleteFolderLine(*mapsOption, set));
    return find(set, candidateMapsFolders(mapsOption));
}

std::shared_ptr<const MapSet> MapsService::require(MapSetId set, const std::optional<fs::path>& mapsOption) {
    if (auto maps = find(set, mapsOption)) return maps;
    const std::vector<fs::path> folders = candidateMapsFolders(mapsOption);
    throw InstallError(mapSetFiles(set) + " are in none of: " + folderList(folders));
}

MapsService& MapsService::shared() {
    static MapsService service;
    return service;
}

std::string mapSetFiles(MapSetId set) {
    const std::span<const MapKind> kinds = mapSetInfo(set).kinds;
    std::string names;
    for (std::size_t i = 0; i < kinds.size(); ++i) {
        if (i > 0) names += i + 1 == kinds.size() ? " and " : ", ";
        names += mapFormat(kinds[i]).fileName;
    }
    return "the ITU-R maps " + names;
}

}  // namespace tropolink::climate
