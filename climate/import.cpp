#include "climate/import.h"

#include <unistd.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <optional>
#include <system_error>

#include "climate/map_error.h"
#include "climate/map_reader.h"
#include "climate/maps_folder.h"
#include "climate/vsi_file.h"

namespace tropolink::climate {
namespace {

namespace fs = std::filesystem;

// The maps are about 1.3 MB at most; anything far larger is not one, and
// reading it whole out of a ZIP would only waste memory.
constexpr std::size_t kMaxMapBytes = 16u << 20;
// ZIPs within ZIPs are followed this deep, no deeper.
constexpr int kMaxZipDepth = 4;

struct FoundMap {
    std::string text;
    std::string source;  // for messages: the file, or the ZIP and the member
};
using FoundMaps = std::array<std::optional<FoundMap>, kMapKinds.size()>;

std::size_t slot(MapKind kind) { return static_cast<std::size_t>(kind); }

char lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool sameIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (lower(a[i]) != lower(b[i])) return false;
    return true;
}

bool endsWithIgnoringCase(std::string_view s, std::string_view suffix) {
    return s.size() >= suffix.size() && sameIgnoringCase(s.substr(s.size() - suffix.size()), suffix);
}

std::string_view baseName(std::string_view path) {
    while (!path.empty() && path.back() == '/') path.remove_suffix(1);
    const auto slash = path.find_last_of('/');
    return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

std::optional<MapKind> mapNamed(std::string_view name) {
    for (const MapKind kind : kMapKinds)
        if (sameIgnoringCase(name, mapFormat(kind).fileName)) return kind;
    return std::nullopt;
}

std::string mapNames(const std::vector<MapKind>& kinds) {
    std::string names;
    for (std::size_t i = 0; i < kinds.size(); ++i) {
        if (i > 0) names += i + 1 == kinds.size() ? " and " : ", ";
        names += mapFormat(kinds[i]).fileName;
    }
    return names;
}

std::string allMapNames() { return mapNames({kMapKinds.begin(), kMapKinds.end()}); }

// Reads and checks a map; the first found of each kind is kept.
void take(FoundMaps& found, MapKind kind, const std::string& path, std::string source) {
    if (found[slot(kind)]) return;
    auto text = readVsiFile(path, kMaxMapBytes);
    if (!text) throw InstallError(source + ": cannot be read, or is far too large for a map");
    readMap(kind, *text, source);
    found[slot(kind)] = FoundMap{std::move(*text), std::move(source)};
}

// Returns how many maps the ZIP and the ZIPs within it hold.
int searchZip(FoundMaps& found, const std::string& zipPath, const std::string& source, int depth) {
    const auto members = zipMembers(zipPath);
    if (!members) throw InstallError(source + ": cannot be read as a ZIP");
    int maps = 0;
    for (const std::string& member : *members) {
        const std::string_view name = baseName(member);
        const std::string memberPath = zipMemberPath(zipPath, member);
        if (const auto kind = mapNamed(name)) {
            take(found, *kind, memberPath, source + "/" + member);
            ++maps;
        } else if (endsWithIgnoringCase(name, ".zip") && depth < kMaxZipDepth && looksLikeZip(memberPath)) {
            maps += searchZip(found, memberPath, source + "/" + member, depth + 1);
        }
    }
    return maps;
}

FoundMaps findMaps(std::span<const fs::path> files) {
    const QuietGdalErrors quiet;
    FoundMaps found;
    for (const fs::path& file : files) {
        const std::string path = file.string();
        std::error_code ec;
        if (!fs::is_regular_file(file, ec)) throw InstallError(path + ": no such file");
        if (looksLikeZip(path)) {
            if (searchZip(found, path, path, 0) == 0)
                throw InstallError(path + ": holds none of " + allMapNames() + ", not even in a ZIP within it");
        } else if (const auto kind = mapNamed(file.filename().string())) {
            take(found, *kind, path, path);
        } else {
            throw InstallError(path + ": neither a ZIP nor one of " + allMapNames());
        }
    }
    return found;
}

void writeFile(const fs::path& file, const std::string& bytes) {
    std::FILE* out = std::fopen(file.c_str(), "wb");
    if (out == nullptr) throw std::system_error(errno, std::generic_category());
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), out) == bytes.size() && std::fflush(out) == 0 &&
                         ::fsync(fileno(out)) == 0;
    const int error = errno;
    if (std::fclose(out) != 0 || !written) throw std::system_error(written ? errno : error, std::generic_category());
}

fs::path temporaryName(const fs::path& folder, MapKind kind) {
    static std::atomic<unsigned> counter{0};
    // Appended piece by piece: GCC 12 warns falsely (-Wrestrict) on "." + string at -O3.
    std::string name(".");
    name += mapFormat(kind).fileName;
    name += ".part-";
    name += std::to_string(::getpid());
    name += '-';
    name += std::to_string(counter++);
    return folder / name;
}

[[noreturn]] void cannotWrite(const fs::path& folder, const std::string& reason) {
    throw InstallError("cannot write the maps folder " + folder.string() + ": " + reason);
}

// All temporaries first, then the renames: a failure before the renames
// leaves the folder as it was.
void install(const FoundMaps& found, const fs::path& folder) {
    std::error_code ec;
    fs::create_directories(folder, ec);
    if (ec) cannotWrite(folder, ec.message());
    if (!fs::is_directory(folder, ec)) cannotWrite(folder, "not a folder");

    std::vector<std::pair<fs::path, fs::path>> renames;
    const auto removeTemporaries = [&] {
        for (const auto& [temporary, target] : renames) fs::remove(temporary, ec);
    };
    try {
        for (const MapKind kind : kMapKinds) {
            if (!found[slot(kind)]) continue;
            renames.emplace_back(temporaryName(folder, kind), folder / mapFormat(kind).fileName);
            writeFile(renames.back().first, found[slot(kind)]->text);
        }
    } catch (const std::system_error& e) {
        removeTemporaries();
        cannotWrite(folder, e.code().message());
    }
    for (const auto& [temporary, target] : renames) {
        fs::rename(temporary, target, ec);
        if (ec) {
            const std::string reason = ec.message();
            removeTemporaries();
            cannotWrite(folder, reason);
        }
    }
}

}  // namespace

ImportResult importMaps(std::span<const fs::path> files, const fs::path& targetDir) {
    if (files.empty()) throw InstallError("no file to import the maps from");
    const FoundMaps found = findMaps(files);
    install(found, targetDir);

    ImportResult result{targetDir, {}, {}};
    for (const MapKind kind : kMapKinds) {
        if (found[slot(kind)]) result.installed.push_back(kind);
        else if (!mapFilePath(targetDir, kind)) result.missing.push_back(kind);
    }
    return result;
}

std::string describeImport(const ImportResult& result) {
    std::string line = result.installed.empty() ? std::string("installed nothing")
                                                : "installed " + mapNames(result.installed);
    line += " in " + result.folder.string();
    if (result.missing.empty()) return line;
    line += "; still missing " + mapNames(result.missing) + " (from the ZIP of ";
    std::vector<std::string_view> sources;
    for (const MapKind kind : result.missing) {
        const std::string_view source = mapFormat(kind).recommendation;
        if (std::find(sources.begin(), sources.end(), source) == sources.end()) sources.push_back(source);
    }
    for (std::size_t i = 0; i < sources.size(); ++i) line += (i > 0 ? " and " : "") + std::string(sources[i]);
    return line + ")";
}

}  // namespace tropolink::climate
