#pragma once

#include <cstddef>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "terrain/dem_raster.h"

namespace tropolink::terrain {

struct LatLonBox;

// Where one point's height came from.
struct Elevation {
    enum class Status {
        Ok,       // `heightM` from `raster`
        Void,     // a DEM holds the point but a post around it is nodata, in every DEM that holds it
        Missing,  // no DEM holds the point
        Invalid,  // a post around the point in `raster` holds a height no ground has: `heightM`
    };
    Status status = Status::Missing;
    double heightM = 0;
    const DemRaster* raster = nullptr;  // the one that gave the height, or the first with the void
    std::string missing;                // for folders: the tiles looked for, e.g. "N45W072.hgt not found in DIR"
};

// The elevation models given as --dem values, in order: each is a raster
// file or a folder of SRTM-named tiles (N44W072.hgt, S12E130.hgt.zip, any
// case). A folder's tiles are opened only when a point needs them, and kept.
// Once made, a DemSet may be read from many threads at once, each through
// its own DemSampler (terrain/dem_sampler.h).
class DemSet {
public:
    // Opens the files and lists the folders; throws TerrainError for a path
    // that does not exist, is neither a regular file nor a folder, holds a
    // NUL byte, or is a file GDAL cannot use.
    explicit DemSet(std::span<const std::string> paths);
    ~DemSet();
    DemSet(DemSet&&) noexcept;
    DemSet& operator=(DemSet&&) noexcept;

    // From the first DEM whose four posts around the point are all valid.
    Elevation heightAt(double latDeg, double lonDeg) const;
    // The first raster whose posts surround the point, valid or not.
    const DemRaster* rasterAt(double latDeg, double lonDeg) const;
    // Whether every raster that may hold a point of `box` is known to be
    // spaced as `like` (DemRaster::spacedAs); false when one is not opened yet.
    bool spacedAs(const DemRaster& like, const LatLonBox& box) const;
    // Rasters opened so far, files and tiles.
    std::size_t openedRasterCount() const;

    class Source;

private:
    friend class DemSampler;
    std::vector<std::unique_ptr<Source>> sources_;
};

// The SRTM tile name for the one-degree cell whose south-west corner is at
// whole degrees (`lat`, `lon`), e.g. N44W072, S01E179.
std::string srtmTileName(int latDeg, int lonDeg);

}  // namespace tropolink::terrain
