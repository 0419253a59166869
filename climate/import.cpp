#include "climate/import.h"

#include <algorithm>
#include <array>
#include <fstream>
#include <optional>

#include "climate/map_error.h"
#include "climate/map_install.h"
#include "climate/map_reader.h"
#include "climate/maps_folder.h"
#include "climate/zip_walk.h"
#include "io/input_file.h"

namespace tropolink::climate {
namespace {

namespace fs = std::filesystem;

constexpr std::uint64_t kMaxMapBytes = kMaxMapFileBytes;

std::size_t slot(MapKind kind) { return static_cast<std::size_t>(kind); }

bool sameIgnoringCase(std::string_view a, std::string_view b) {
    const auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; };
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [&](char x, char y) { return lower(x) == lower(y); });
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

// The first bytes of a regular file, up to maxBytes + 1 of them: one more
// than allowed tells a file that is too large.
std::optional<std::string> readStart(const fs::path& file, std::uint64_t maxBytes) {
    std::error_code ec;
    const std::uint64_t size = fs::file_size(file, ec);
    std::ifstream in(file, std::ios::binary);
    if (ec || !in) return std::nullopt;
    std::string bytes(static_cast<std::size_t>(std::min(size, maxBytes + 1)), '\0');
    in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (in.bad()) return std::nullopt;
    bytes.resize(static_cast<std::size_t>(in.gcount()));
    return bytes;
}

struct FoundMap {
    std::string text;
    std::string source;  // for messages: the file, or the ZIP and the member
    Grid grid;
};

// Every map in the sources, checked; copies of a map must hold its values.
class MapFinder {
public:
    explicit MapFinder(const ImportOptions& options) : options_(options) {}

    void search(const ImportSource& source) {
        throwIfStopped(options_);
        const std::string& name = source.name;
        if (const auto why = whyNotRegularFile(source.file.string())) throw InstallError(name + ": " + *why);
        const auto start = readStart(source.file, 3);
        if (!start) throw InstallError(name + ": cannot be read");
        if (looksLikeZip(*start)) {
            ZipWalk walk(options_, kMaxMapBytes, [](std::string_view member) { return mapNamed(member).has_value(); },
                         [&](const std::string& member, std::string_view base, std::string text) {
                             take(*mapNamed(base), member, std::move(text));
                         });
            if (walk.walkFile(source.file.string(), name) == 0)
                throw InstallError(name + ": holds none of " + allMapNames() + ", not even in a ZIP within it");
        } else if (const auto kind = mapNamed(source.file.filename().string())) {
            auto text = readStart(source.file, kMaxMapBytes);
            if (!text || text->size() > kMaxMapBytes)
                throw InstallError(name + ": cannot be read, or is far too large for a map");
            if (options_.progress) options_.progress(name, 0, text->size());
            take(*kind, name, std::move(*text));
        } else {
            throw InstallError(name + ": neither a ZIP nor one of " + allMapNames());
        }
    }

    const std::array<std::optional<FoundMap>, kMapKinds.size()>& found() const { return found_; }

private:
    void take(MapKind kind, const std::string& source, std::string text) {
        Grid grid = readMap(kind, text, source);
        std::optional<FoundMap>& earlier = found_[slot(kind)];
        if (!earlier) {
            earlier = FoundMap{std::move(text), source, std::move(grid)};
            return;
        }
        const std::string fileName(mapFormat(kind).fileName);
        if (grid.values != earlier->grid.values)
            throw InstallError(source + ": another " + fileName + " than " + earlier->source + " (allowed: one " +
                               fileName + ", or copies of the same values)");
    }

    const ImportOptions& options_;
    std::array<std::optional<FoundMap>, kMapKinds.size()> found_;
};

}  // namespace

ImportResult importMaps(std::span<const ImportSource> sources, const fs::path& targetDir, const ImportOptions& options) {
    if (sources.empty()) throw InstallError("no file to import the maps from");
    MapFinder finder(options);
    for (const ImportSource& source : sources) finder.search(source);
    throwIfStopped(options);

    makeMapsFolder(targetDir);
    const MapsFolderLock lock(targetDir);
    std::vector<std::pair<MapKind, std::string_view>> texts;
    for (const MapKind kind : kMapKinds)
        if (const auto& map = finder.found()[slot(kind)]) texts.emplace_back(kind, map->text);
    installMapTexts(texts, targetDir);

    ImportResult result{targetDir, {}, {}};
    for (const MapKind kind : kMapKinds) {
        if (finder.found()[slot(kind)]) result.installed.push_back(kind);
        else if (!mapFilePath(targetDir, kind)) result.missing.push_back(kind);
    }
    return result;
}

ImportResult importMaps(std::span<const fs::path> files, const fs::path& targetDir, const ImportOptions& options) {
    std::vector<ImportSource> sources;
    for (const fs::path& file : files) sources.push_back({file, file.string()});
    return importMaps(sources, targetDir, options);
}

namespace {

// "A and B (from the ZIP of ITU-R P.2001)": maps and where to find them.
std::string mapsAndSources(const std::vector<MapKind>& kinds) {
    std::vector<std::string_view> sources;
    for (const MapKind kind : kinds) {
        const std::string_view source = mapFormat(kind).recommendation;
        if (std::find(sources.begin(), sources.end(), source) == sources.end()) sources.push_back(source);
    }
    std::string text = mapNames(kinds) + " (from the ZIP of ";
    for (std::size_t i = 0; i < sources.size(); ++i) text += (i > 0 ? " and " : "") + std::string(sources[i]);
    return text + ")";
}

std::vector<MapKind> missingOf(const ImportResult& result, std::span<const MapKind> set,
                               std::span<const MapKind> except = {}) {
    std::vector<MapKind> kinds;
    for (const MapKind kind : result.missing)
        if (std::find(set.begin(), set.end(), kind) != set.end() &&
            std::find(except.begin(), except.end(), kind) == except.end())
            kinds.push_back(kind);
    return kinds;
}

}  // namespace

std::string describeImport(const ImportResult& result) {
    std::string line = result.installed.empty() ? std::string("installed nothing")
                                                : "installed " + mapNames(result.installed);
    line += " in " + result.folder.string();
    if (const auto troposcatter = missingOf(result, kClimateMaps); !troposcatter.empty())
        line += "; still missing " + mapsAndSources(troposcatter);
    if (const auto complete = missingOf(result, kP2001AllMaps, kClimateMaps); !complete.empty())
        line += "; the complete P.2001 method also needs " + mapsAndSources(complete);
    return line;
}

}  // namespace tropolink::climate
