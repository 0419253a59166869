#include "terrain/dem_set.h"

#include <cpl_string.h>
#include <cpl_vsi.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <regex>
#include <system_error>

#include "terrain/terrain_error.h"

namespace tropolink::terrain {

namespace fs = std::filesystem;

namespace {

constexpr int kDegreesPerTurn = 360;
constexpr int kNoCell = 1000;  // no whole degree is this
constexpr int kMaxLonDeg = 180;

std::string lowered(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

bool endsWith(const std::string& text, const std::string& tail) {
    return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

// What GDAL opens for a file: a zipped SRTM tile is read in place, from the
// .hgt inside (whose name gives the tile's place).
std::string gdalPathFor(const fs::path& file) {
    const std::string name = file.string();
    if (!endsWith(lowered(name), ".zip")) return name;
    const std::string zip = "/vsizip/" + name;
    std::string inner;
    if (char** entries = VSIReadDir(zip.c_str())) {
        for (char** entry = entries; *entry != nullptr && inner.empty(); ++entry)
            if (endsWith(lowered(*entry), ".hgt")) inner = *entry;
        CSLDestroy(entries);
    }
    return inner.empty() ? name : zip + "/" + inner;
}

int wrapLon(int lon) {
    while (lon >= kMaxLonDeg) lon -= kDegreesPerTurn;
    while (lon < -kMaxLonDeg) lon += kDegreesPerTurn;
    return lon;
}

}  // namespace

std::string srtmTileName(int latDeg, int lonDeg) {
    char name[32];
    std::snprintf(name, sizeof name, "%c%02d%c%03d", latDeg < 0 ? 'S' : 'N', std::abs(latDeg), lonDeg < 0 ? 'W' : 'E',
                  std::abs(lonDeg));
    return name;
}

// At most four: a point on a tile corner lies on the posts of four tiles.
struct Candidates {
    std::array<DemRaster*, 4> rasters{};
    std::size_t count = 0;
    DemRaster* const* begin() const { return rasters.data(); }
    DemRaster* const* end() const { return rasters.data() + count; }
};

class DemSet::Source {
public:
    virtual ~Source() = default;
    // The rasters that may hold the point, in the order to try them; opens
    // them if need be.
    virtual Candidates candidates(double latDeg, double lonDeg) = 0;
    // Why no raster holds the point, for the message; empty when the
    // source has nothing to say.
    virtual std::string missingNote(double latDeg, double lonDeg) const = 0;
    virtual void collectOpened(std::vector<const DemRaster*>& rasters) const = 0;
};

namespace {

class FileSource final : public DemSet::Source {
public:
    explicit FileSource(const fs::path& file) : raster_(gdalPathFor(file), file.string()) {}
    Candidates candidates(double, double) override { return {{&raster_}, 1}; }
    std::string missingNote(double, double) const override { return {}; }
    void collectOpened(std::vector<const DemRaster*>& rasters) const override { rasters.push_back(&raster_); }

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
        if (error) throw TerrainError("DEM " + folder_.string() + ": cannot list the folder (" + error.message() + ")");
    }

    Candidates candidates(double latDeg, double lonDeg) override {
        Candidates found;
        for (const auto& cell : cellsAround(latDeg, lonDeg))
            if (DemRaster* raster = tileRaster(cell)) found.rasters[found.count++] = raster;
        return found;
    }

    std::string missingNote(double latDeg, double lonDeg) const override {
        std::string names;
        for (const auto& [lat, lon] : cellsAround(latDeg, lonDeg)) {
            if (tiles_.count({lat, lon})) continue;
            if (!names.empty()) names += ", ";
            names += srtmTileName(lat, lon) + ".hgt";
        }
        return names.empty() ? names : names + " not found in " + folder_.string();
    }

    void collectOpened(std::vector<const DemRaster*>& rasters) const override {
        for (const auto& [cell, tile] : tiles_)
            if (tile.raster) rasters.push_back(tile.raster.get());
    }

private:
    struct Tile {
        fs::path file;
        std::unique_ptr<DemRaster> raster;
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
    DemRaster* tileRaster(Cell cell) {
        // Consecutive points mostly fall in the same tile.
        if (cell == lastCell_) return lastRaster_;
        const auto found = tiles_.find(cell);
        DemRaster* raster = nullptr;
        if (found != tiles_.end()) {
            Tile& tile = found->second;
            if (!tile.raster) tile.raster = std::make_unique<DemRaster>(gdalPathFor(tile.file), tile.file.string(), true);
            raster = tile.raster.get();
        }
        lastCell_ = cell;
        lastRaster_ = raster;
        return raster;
    }

    fs::path folder_;
    std::map<Cell, Tile> tiles_;
    Cell lastCell_{kNoCell, kNoCell};
    DemRaster* lastRaster_ = nullptr;
};

}  // namespace

DemSet::DemSet(std::span<const std::string> paths) {
    for (const auto& path : paths) {
        std::error_code error;
        const fs::file_status status = fs::status(path, error);
        if (!fs::exists(status)) throw TerrainError("DEM " + path + ": no such file or folder");
        if (fs::is_directory(status))
            sources_.push_back(std::make_unique<TileFolder>(path));
        else
            sources_.push_back(std::make_unique<FileSource>(path));
    }
}

DemSet::~DemSet() = default;
DemSet::DemSet(DemSet&&) noexcept = default;
DemSet& DemSet::operator=(DemSet&&) noexcept = default;

Elevation DemSet::heightAt(double latDeg, double lonDeg) {
    Elevation elevation;
    for (const auto& source : sources_) {
        for (DemRaster* raster : source->candidates(latDeg, lonDeg)) {
            const auto sample = raster->sample(latDeg, lonDeg);
            if (sample.status == DemRaster::Status::Ok) return {Elevation::Status::Ok, sample.heightM, raster, {}};
            if (sample.status == DemRaster::Status::Void && elevation.status != Elevation::Status::Void) {
                elevation.status = Elevation::Status::Void;
                elevation.raster = raster;
            }
        }
    }
    if (elevation.status == Elevation::Status::Missing) {
        for (const auto& source : sources_) {
            const std::string note = source->missingNote(latDeg, lonDeg);
            if (note.empty()) continue;
            if (!elevation.missing.empty()) elevation.missing += "; ";
            elevation.missing += note;
        }
    }
    return elevation;
}

const DemRaster* DemSet::rasterAt(double latDeg, double lonDeg) {
    for (const auto& source : sources_)
        for (DemRaster* raster : source->candidates(latDeg, lonDeg))
            if (raster->covers(latDeg, lonDeg)) return raster;
    return nullptr;
}

std::size_t DemSet::openedRasterCount() const {
    std::vector<const DemRaster*> rasters;
    for (const auto& source : sources_) source->collectOpened(rasters);
    return rasters.size();
}

}  // namespace tropolink::terrain
