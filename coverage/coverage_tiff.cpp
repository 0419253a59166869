#include "coverage/coverage_tiff.h"

#include <cpl_string.h>
#include <gdal_priv.h>
#include <ogr_spatialref.h>

#include <algorithm>
#include <cmath>
#include <limits>

#include "io/file_output.h"
#include "terrain/gdal_support.h"

namespace tropolink::coverage {

CoverageTiff::CoverageTiff(const std::string& path, const std::string& shownPath, const CoverageGrid& grid,
                           const TiffContents& contents)
    : shownPath_(shownPath), cols_(grid.cols()), bands_(contents.bands.size()) {
    terrain::gdal::ensureRegistered();
    const terrain::gdal::QuietErrors quiet;
    GDALDriver* driver = GetGDALDriverManager()->GetDriverByName("GTiff");
    if (driver == nullptr) fail("GDAL has no GeoTIFF driver");
    const std::string tile = std::to_string(kTiffTileSize);
    CPLStringList options;
    options.SetNameValue("TILED", "YES");
    options.SetNameValue("BLOCKXSIZE", tile.c_str());
    options.SetNameValue("BLOCKYSIZE", tile.c_str());
    options.SetNameValue("COMPRESS", "DEFLATE");
    options.SetNameValue("PREDICTOR", "3");
    options.SetNameValue("BIGTIFF", "IF_SAFER");
    dataset_ = driver->Create(path.c_str(), grid.cols(), grid.rows(), static_cast<int>(bands_), GDT_Float32,
                              options.List());
    if (dataset_ == nullptr) fail("GDAL cannot create it");
    std::array<double, 6> transform = grid.geoTransform();
    OGRSpatialReference wgs84;
    wgs84.importFromEPSG(4326);
    wgs84.SetAxisMappingStrategy(OAMS_TRADITIONAL_GIS_ORDER);
    if (dataset_->SetGeoTransform(transform.data()) != CE_None || dataset_->SetSpatialRef(&wgs84) != CE_None)
        fail("GDAL cannot georeference it");
    for (const auto& [name, value] : contents.metadata) dataset_->SetMetadataItem(name.c_str(), value.c_str());
    for (std::size_t b = 0; b < bands_; ++b) {
        GDALRasterBand* band = dataset_->GetRasterBand(static_cast<int>(b) + 1);
        band->SetNoDataValue(std::numeric_limits<double>::quiet_NaN());
        band->SetDescription(contents.bands[b].description.c_str());
        for (const auto& [name, value] : contents.bands[b].metadata) band->SetMetadataItem(name.c_str(), value.c_str());
    }
}

CoverageTiff::~CoverageTiff() {
    if (dataset_ != nullptr) {
        const terrain::gdal::QuietErrors quiet;
        GDALClose(dataset_);
    }
}

void CoverageTiff::fail(const std::string& fallback) {
    const std::string reason = terrain::gdal::lastError(fallback);
    throw WriteError({shownPath_, "write", {}, reason});
}

void CoverageTiff::writeRows(int firstRow, int rowCount, std::span<const float> cells) {
    const terrain::gdal::QuietErrors quiet;
    const auto cellBytes = static_cast<GSpacing>(sizeof(float) * bands_);
    std::vector<int> bandList(bands_);
    for (std::size_t b = 0; b < bands_; ++b) bandList[b] = static_cast<int>(b) + 1;
    // The cells' values interleaved as the caller holds them: band after band within a cell.
    const CPLErr written = dataset_->RasterIO(
        GF_Write, 0, firstRow, cols_, rowCount, const_cast<float*>(cells.data()), cols_, rowCount, GDT_Float32,
        static_cast<int>(bands_), bandList.data(), cellBytes, cellBytes * cols_, sizeof(float), nullptr);
    if (written != CE_None) fail("GDAL cannot write its rows");
    // Compressed and written out now, so that memory holds one band of tiles.
    dataset_->FlushCache(false);
    if (CPLGetLastErrorType() >= CE_Failure) fail("GDAL cannot write its rows");
}

void CoverageTiff::setMetadataItem(std::string_view name, const std::string& value) {
    const terrain::gdal::QuietErrors quiet;
    dataset_->SetMetadataItem(std::string(name).c_str(), value.c_str());
}

void CoverageTiff::close() {
    const terrain::gdal::QuietErrors quiet;
    GDALDataset* dataset = std::exchange(dataset_, nullptr);
    GDALClose(dataset);
    if (CPLGetLastErrorType() >= CE_Failure) fail("GDAL cannot finish it");
}

BandPicture readBandPicture(const std::string& path, const std::string& shownPath, std::size_t band, int maxSide) {
    terrain::gdal::ensureRegistered();
    const terrain::gdal::QuietErrors quiet;
    std::unique_ptr<GDALDataset> dataset(GDALDataset::Open(path.c_str(), GDAL_OF_RASTER | GDAL_OF_READONLY));
    if (!dataset) throw WriteError({shownPath, "write", {}, terrain::gdal::lastError("GDAL cannot read it back")});
    const int cols = dataset->GetRasterXSize(), rows = dataset->GetRasterYSize();
    const double scale = std::min(1.0, static_cast<double>(maxSide) / std::max(cols, rows));
    BandPicture picture;
    picture.width = std::max(1, static_cast<int>(std::lround(cols * scale)));
    picture.height = std::max(1, static_cast<int>(std::lround(rows * scale)));
    picture.values.resize(static_cast<std::size_t>(picture.width) * static_cast<std::size_t>(picture.height));
    GDALRasterIOExtraArg extra;
    INIT_RASTERIO_EXTRA_ARG(extra);
    extra.eResampleAlg = GRIORA_NearestNeighbour;
    if (dataset->GetRasterBand(static_cast<int>(band) + 1)
            ->RasterIO(GF_Read, 0, 0, cols, rows, picture.values.data(), picture.width, picture.height, GDT_Float32,
                       0, 0, &extra) != CE_None)
        throw WriteError({shownPath, "write", {}, terrain::gdal::lastError("GDAL cannot read it back")});
    return picture;
}

}  // namespace tropolink::coverage
