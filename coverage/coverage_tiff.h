#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "coverage/coverage_grid.h"
#include "coverage/path_method.h"

class GDALDataset;

// The map as a GeoTIFF through GDAL: float32, one band per percentage, tiled
// 256 x 256 and compressed (DEFLATE with the floating-point predictor), NaN
// as nodata, EPSG:4326. Rows arrive in order, a band of tiles at a time, so
// memory holds one band of tiles whatever the map's size; the same rows give
// the same bytes.
namespace tropolink::coverage {

inline constexpr int kTiffTileSize = 256;

struct TiffBand {
    std::string description;  // "Lb not exceeded for 99.9 % of the year, dB"
    std::vector<MetadataItem> metadata;
};

struct TiffContents {
    std::vector<MetadataItem> metadata;  // the dataset's
    std::vector<TiffBand> bands;
};

class CoverageTiff {
public:
    // Creates the file. Throws WriteError naming `shownPath`.
    CoverageTiff(const std::string& path, const std::string& shownPath, const CoverageGrid& grid,
                 const TiffContents& contents);
    ~CoverageTiff();
    CoverageTiff(const CoverageTiff&) = delete;
    CoverageTiff& operator=(const CoverageTiff&) = delete;

    std::size_t bandCount() const { return bands_; }
    // Rows firstRow.. of every band: `cells` holds rows × columns cells, each
    // a value per band. Throws WriteError.
    void writeRows(int firstRow, int rowCount, std::span<const float> cells);
    void setMetadataItem(std::string_view name, const std::string& value);
    // Writes what is left and closes the file. Throws WriteError.
    void close();

private:
    [[noreturn]] void fail(const std::string& fallback);
    GDALDataset* dataset_ = nullptr;
    std::string shownPath_;
    int cols_ = 0;
    std::size_t bands_ = 0;
};

// One band's values, resampled to at most `maxSide` cells a side by
// the nearest cell, north row first: for a picture of the map. Throws
// WriteError naming `shownPath`.
struct BandPicture {
    int width = 0;
    int height = 0;
    std::vector<float> values;  // width × height, NaN for nodata
};
BandPicture readBandPicture(const std::string& path, const std::string& shownPath, std::size_t band, int maxSide);

}  // namespace tropolink::coverage
