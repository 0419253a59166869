#include "climate/maps_folder.h"

#include <cstdlib>
#include <string>
#include <system_error>

#include "climate/map_error.h"
#include "climate/map_reader.h"

namespace tropolink::climate {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kUserMapsSubfolder = "tropolink/itu-r";

std::optional<fs::path> environmentPath(const char* name) {
    const char* value = std::getenv(name);
    if (value == nullptr || *value == '\0') return std::nullopt;
    return fs::path(value);
}

// The XDG base-directory rules: a relative $XDG_DATA_HOME is ignored.
std::optional<fs::path> userMapsFolder() {
    if (const auto data = environmentPath("XDG_DATA_HOME"); data && data->is_absolute())
        return *data / kUserMapsSubfolder;
    if (const auto home = environmentPath("HOME")) return *home / ".local/share" / kUserMapsSubfolder;
    return std::nullopt;
}

bool sameNameIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        const auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; };
        if (lower(a[i]) != lower(b[i])) return false;
    }
    return true;
}

std::string listFolders(const std::vector<fs::path>& folders) {
    std::string list;
    for (const fs::path& folder : folders) list += (list.empty() ? "" : ", ") + folder.string();
    return list;
}

}  // namespace

std::vector<fs::path> candidateMapsFolders(const std::optional<fs::path>& mapsOption) {
    if (mapsOption) return {*mapsOption};
    std::vector<fs::path> folders;
    if (const auto fromEnvironment = environmentPath(std::string(kMapsEnvironmentVariable).c_str()))
        folders.push_back(*fromEnvironment);
    if (const auto user = userMapsFolder()) folders.push_back(*user);
    folders.emplace_back(kSystemMapsFolder);
    return folders;
}

fs::path installMapsFolder(const std::optional<fs::path>& mapsOption) {
    if (mapsOption) return *mapsOption;
    if (const auto user = userMapsFolder()) return *user;
    throw InstallError("no folder to install the maps in: neither XDG_DATA_HOME nor HOME is set; give --maps DIR");
}

std::optional<fs::path> mapFilePath(const fs::path& folder, MapKind kind) {
    const std::string_view name = mapFormat(kind).fileName;
    std::error_code ec;
    if (fs::is_regular_file(folder / name, ec)) return folder / name;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        if (sameNameIgnoringCase(it->path().filename().string(), name) && it->is_regular_file(ec)) return it->path();
    }
    return std::nullopt;
}

std::optional<fs::path> findMapsFolder(std::span<const fs::path> candidates) {
    for (const fs::path& folder : candidates) {
        bool all = true;
        for (const MapKind kind : kMapKinds) all = all && mapFilePath(folder, kind).has_value();
        if (all) return folder;
    }
    return std::nullopt;
}

ClimateMaps loadMapsFrom(const fs::path& folder) {
    const auto read = [&](MapKind kind) {
        const auto file = mapFilePath(folder, kind);
        if (!file) throw InstallError(folder.string() + ": no " + std::string(mapFormat(kind).fileName));
        return readMapFile(kind, *file);
    };
    return {read(MapKind::N0), read(MapKind::DeltaN), read(MapKind::Zone)};
}

LoadedMaps loadMaps(const std::optional<fs::path>& mapsOption) {
    const std::vector<fs::path> candidates = candidateMapsFolders(mapsOption);
    const auto folder = findMapsFolder(candidates);
    if (!folder)
        throw InstallError("the ITU-R maps N050.TXT, DN50.TXT and TropoClim.txt are in none of: " +
                           listFolders(candidates));
    return {loadMapsFrom(*folder), *folder};
}

}  // namespace tropolink::climate
