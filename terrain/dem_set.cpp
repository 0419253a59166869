#include "terrain/dem_set.h"

#include <cpl_string.h>
#include <cpl_vsi.h>

#include <algorithm>
#include <atomic>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <map>
#include <mutex>
#include <regex>
#include <system_error>

#include "terrain/dem_sampler.h"
#include "terrain/dem_source.h"
#include "io/input_file.h"
#include "terrain/terrain_error.h"
#include "terrain/zip_check.h"

namespace tropolink::terrain {

namespace fs = std::filesystem;

namespace {

constexpr int kDegreesPerTurn = 360;
constexpr int kMaxLonDeg = 180;

std::string lowered(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

bool endsWith(const std::string& text, const std::string& tail) {
    return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

// Refuses what is not a regular file before anything opens it: a FIFO
// would block the reader for ever.
void checkRegularFile(const fs::path& file) {
    if (const auto why = whyNotRegularFile(file.string()))
        throw TerrainError("DEM " + printablePath(file.string()) + ": " + *why +
                           " (allowed: a regular file, or a folder of SRTM tiles)");
}

// What GDAL opens for a file: a zipped SRTM tile is read in place, from the
// .hgt inside (whose name gives the tile's place), once its CRC matches.
std::string gdalPathFor(const fs::path& file) {
    checkRegularFile(file);
    const std::string name = file.string();
    if (!endsWith(lowered(name), ".zip")) return name;
    const std::string zip = "/vsizip/" + name;
    std::string inner;
    if (char** entries = VSIReadDir(zip.c_str())) {
        for (char** entry = entries; *entry != nullptr && inner.empty(); ++entry)
            if (endsWith(lowered(*entry), ".hgt")) inner = *entry;
        CSLDestroy(entries);
    }
    if (inner.empty()) return name;
    checkZipEntry(name, printablePath(name), inner);
    return zip + "/" + inner;
}

int wrapLon(int lon) {
    while (lon >= kMaxLonDeg) lon -= kDegreesPerTurn;
    while (lon < -kMaxLonDeg) lon += kDegreesPerTurn;
    return lon;
}

class FileSource final : public DemSet::Source {
public:
    explicit FileSource(const fs::path& file) : raster_(gdalPathFor(file), file.string()) {}
    Candidates candidates(double, double, SourceCursor& cursor) const override {
        cursor.found = {{&raster_}, 1};
        cursor.everywhere = true;
        return cursor.found;
    }
    std::string missingNote(double, double) const override { return {}; }
    void collectOpened(std::vector<const DemRaster*>& rasters) const override { rasters.push_back(&raster_); }
    bool spacedAs(const DemRaster& like, const LatLonBox&) const override { return raster_.spacedAs(like); }

private:
    DemRaster raster_;
};

class TileFolder final : public DemSet::Source {
public:
    explicit TileFolder(fs::path folder) : folder_(std::move(folder)) {
        static const std::regex tileName(R"(([ns])(\d\d)([ew])(\d\d\d)\.hgt(\.zip)?)");
        std::error_code error;
        for (const auto& entry : fs::directory_iterator(folder_, error)) {
            std::smatch m;
            const std::string name = lowered(entry.path().filename().string());
            if (!std::regex_match(name, m, tileName)) continue;
            const int lat = (m[1] == "s" ? -1 : 1) * std::stoi(m[2]);
            const int lon = (m[3] == "w" ? -1 : 1) * std::stoi(m[4]);
            auto& tile = tiles_[{lat, lon}];
            // A plain .hgt reads faster than the same tile zipped.
            if (tile.file.empty() || !m[5].matched) tile.file = entry.path();
        }
        if (error)
            throw TerrainError("DEM " + printablePath(folder_.string()) + ": cannot list the folder (" +
                               error.message() + ")");
    }

    Candidates candidates(double latDeg, double lonDeg, SourceCursor& cursor) const override {
        const int lat = static_cast<int>(std::floor(latDeg));
        const int lon = static_cast<int>(std::floor(lonDeg));
        // Consecutive points mostly fall in the same tile, and off its edges.
        const bool onEdge = latDeg == lat || lonDeg == lon;
        if (!onEdge && lat == cursor.latDeg && lon == cursor.lonDeg) return cursor.found;
        Candidates found;
        for (const auto& cell : cellsAround(latDeg, lonDeg))
            if (const DemRaster* raster = tileRaster(cell)) found.rasters[found.count++] = raster;
        if (!onEdge) cursor = {lat, lon, found};
        return found;
    }

    std::string missingNote(double latDeg, double lonDeg) const override {
        std::string names;
        for (const auto& [lat, lon] : cellsAround(latDeg, lonDeg)) {
            if (tiles_.count({lat, lon})) continue;
            if (!names.empty()) names += ", ";
            names += srtmTileName(lat, lon) + ".hgt";
        }
        return names.empty() ? names : names + " not found in " + printablePath(folder_.string());
    }

    void collectOpened(std::vector<const DemRaster*>& rasters) const override {
        for (const auto& [cell, tile] : tiles_)
            if (const DemRaster* raster = tile.raster.load(std::memory_order_acquire)) rasters.push_back(raster);
    }

    bool spacedAs(const DemRaster& like, const LatLonBox& box) const override {
        const int south = static_cast<int>(std::floor(box.southDeg)), north = static_cast<int>(std::floor(box.northDeg));
        const int west = static_cast<int>(std::floor(box.westDeg)), east = static_cast<int>(std::floor(box.eastDeg));
        if ((north - south + 1) * (east - west + 1) > kMaxCellsToCheck) return false;
        for (int lat = south; lat <= north; ++lat) {
            for (int lon = west; lon <= east; ++lon) {
                const auto found = tiles_.find({lat, wrapLon(lon)});
                if (found == tiles_.end()) continue;
                const DemRaster* raster = found->second.raster.load(std::memory_order_acquire);
                if (raster == nullptr || !raster->spacedAs(like)) return false;
            }
        }
        return true;
    }

private:
    // A long path's box holds many cells; its probes cost little beside its points.
    static constexpr int kMaxCellsToCheck = 64;

    struct Tile {
        fs::path file;
        std::unique_ptr<DemRaster> owned;           // under the folder's lock
        std::atomic<const DemRaster*> raster{nullptr};  // set once `owned` is
    };

    using Cell = std::pair<int, int>;

    // The cell the point is in, then, for a point on a whole degree, the
    // cells whose edge posts it lies on too (SRTM tiles share their edges).
    struct Cells {
        std::array<Cell, 4> cells{};
        std::size_t count = 0;
        const Cell* begin() const { return cells.data(); }
        const Cell* end() const { return cells.data() + count; }
    };
    static Cells cellsAround(double latDeg, double lonDeg) {
        const int lat = static_cast<int>(std::floor(latDeg));
        const int lon = static_cast<int>(std::floor(lonDeg));
        const int lats = latDeg == lat ? 2 : 1, lons = lonDeg == lon ? 2 : 1;
        Cells around;
        for (int a = 0; a < lats; ++a)
            for (int b = 0; b < lons; ++b) around.cells[around.count++] = {lat - a, wrapLon(lon - b)};
        return around;
    }

    // The cell's tile, opened on first need; none when the folder lacks it.
    const DemRaster* tileRaster(Cell cell) const {
        const auto found = tiles_.find(cell);
        if (found == tiles_.end()) return nullptr;
        Tile& tile = found->second;
        if (const DemRaster* raster = tile.raster.load(std::memory_order_acquire)) return raster;
        const std::lock_guard lock(opening_);
        if (!tile.owned) {
            tile.owned = std::make_unique<DemRaster>(gdalPathFor(tile.file), tile.file.string(), true);
            tile.raster.store(tile.owned.get(), std::memory_order_release);
        }
        return tile.owned.get();
    }

    fs::path folder_;
    // Listed once; only the tiles' rasters change after, each once.
    mutable std::map<Cell, Tile> tiles_;
    mutable std::mutex opening_;
};

}  // namespace

std::string srtmTileName(int latDeg, int lonDeg) {
    char name[32];
    std::snprintf(name, sizeof name, "%c%02d%c%03d", latDeg < 0 ? 'S' : 'N', std::abs(latDeg), lonDeg < 0 ? 'W' : 'E',
                  std::abs(lonDeg));
    return name;
}

DemSet::DemSet(std::span<const std::string> paths) {
    for (const auto& path : paths) {
        const std::string shown = printablePath(path);
        // The C library would read the name only up to the NUL.
        if (path.find('\0') != std::string::npos)
            throw TerrainError("DEM " + shown + ": the path holds a NUL byte (allowed: a path without one)");
        switch (fileKind(path)) {
            case FileKind::Folder:
                sources_.push_back(std::make_unique<TileFolder>(path));
                break;
            case FileKind::Regular:
                sources_.push_back(std::make_unique<FileSource>(path));
                break;
            case FileKind::Missing:
            case FileKind::BadName:
                throw TerrainError("DEM " + shown + ": no such file or folder");
            default:
                checkRegularFile(path);
        }
    }
}

DemSet::~DemSet() = default;
DemSet::DemSet(DemSet&&) noexcept = default;
DemSet& DemSet::operator=(DemSet&&) noexcept = default;

Elevation DemSet::heightAt(double latDeg, double lonDeg) const { return DemSampler(*this).heightAt(latDeg, lonDeg); }

const DemRaster* DemSet::rasterAt(double latDeg, double lonDeg) const {
    return DemSampler(*this).rasterAt(latDeg, lonDeg);
}

bool DemSet::spacedAs(const DemRaster& like, const LatLonBox& box) const {
    return std::all_of(sources_.begin(), sources_.end(),
                       [&](const auto& source) { return source->spacedAs(like, box); });
}

std::size_t DemSet::openedRasterCount() const {
    std::vector<const DemRaster*> rasters;
    for (const auto& source : sources_) source->collectOpened(rasters);
    return rasters.size();
}

}  // namespace tropolink::terrain
