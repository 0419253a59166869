#include "climate/maps_folder.h"

#include <cstdlib>
#include <string>
#include <system_error>

#include "climate/map_error.h"

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

bool holdsMapSet(const fs::path& folder, MapSetId set) {
    for (const MapKind kind : mapSetInfo(set).kinds)
        if (!mapFilePath(folder, kind)) return false;
    return true;
}

std::optional<fs::path> findMapsFolder(std::span<const fs::path> candidates, MapSetId set) {
    for (const fs::path& folder : candidates)
        if (holdsMapSet(folder, set)) return folder;
    return std::nullopt;
}

}  // namespace tropolink::climate
