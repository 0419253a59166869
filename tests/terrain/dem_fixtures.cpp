#include "dem_fixtures.h"

#include <cpl_vsi.h>
#include <gdal_priv.h>
#include <ogr_spatialref.h>
#include <stdlib.h>

#include <cstdint>
#include <fstream>
#include <stdexcept>
#include <vector>

#include "terrain/dem_set.h"

namespace tropolink::terrain::fixtures {
namespace {
constexpr std::int16_t kHgtVoid = -32768;
}

TempDir::TempDir() {
    std::string pattern = (fs::temp_directory_path() / "terrain-test-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("cannot make a temporary folder");
    path_ = pattern;
}

TempDir::~TempDir() {
    std::error_code ignored;
    fs::remove_all(path_, ignored);
}

std::string hgtBytes(int latDeg, int lonDeg, const Surface& surface, int posts) {
    std::string bytes(static_cast<std::size_t>(posts) * static_cast<std::size_t>(posts) * 2, '\0');
    const double perDeg = posts - 1;
    std::size_t at = 0;
    for (int row = 0; row < posts; ++row) {
        for (int col = 0; col < posts; ++col) {
            const double h = surface(latDeg + 1 - row / perDeg, lonDeg + col / perDeg);
            const auto value = std::isnan(h) ? kHgtVoid : static_cast<std::int16_t>(std::lround(h));
            const auto word = static_cast<std::uint16_t>(value);
            bytes[at++] = static_cast<char>(word >> 8);
            bytes[at++] = static_cast<char>(word & 0xff);
        }
    }
    return bytes;
}

fs::path writeHgtTile(const fs::path& folder, int latDeg, int lonDeg, const Surface& surface, const std::string& suffix) {
    const fs::path file = folder / (srtmTileName(latDeg, lonDeg) + suffix);
    std::ofstream(file, std::ios::binary) << hgtBytes(latDeg, lonDeg, surface);
    return file;
}

fs::path writeHgtZip(const fs::path& folder, int latDeg, int lonDeg, const Surface& surface) {
    const std::string name = srtmTileName(latDeg, lonDeg) + ".hgt";
    const fs::path zip = folder / (name + ".zip");
    const std::string bytes = hgtBytes(latDeg, lonDeg, surface);
    VSILFILE* out = VSIFOpenL(("/vsizip/" + zip.string() + "/" + name).c_str(), "wb");
    if (out == nullptr || VSIFWriteL(bytes.data(), 1, bytes.size(), out) != bytes.size())
        throw std::runtime_error("cannot write " + zip.string());
    VSIFCloseL(out);
    return zip;
}

void writeGeoTiff(const fs::path& file, const GeoTiff& tiff) {
    GDALAllRegister();
    GDALDriver* driver = GetGDALDriverManager()->GetDriverByName("GTiff");
    GDALDataset* dataset = driver->Create(file.c_str(), tiff.width, tiff.height, 1, GDT_Float32, nullptr);
    if (dataset == nullptr) throw std::runtime_error("cannot write " + file.string());
    const auto& gt = tiff.geoTransform;
    if (tiff.epsg != 0) {
        std::array<double, 6> copy = gt;
        dataset->SetGeoTransform(copy.data());
        OGRSpatialReference crs;
        crs.importFromEPSG(tiff.epsg);
        dataset->SetSpatialRef(&crs);
    }
    GDALRasterBand* band = dataset->GetRasterBand(1);
    if (tiff.nodata) band->SetNoDataValue(*tiff.nodata);
    std::vector<float> values(static_cast<std::size_t>(tiff.width) * static_cast<std::size_t>(tiff.height));
    for (int row = 0; row < tiff.height; ++row) {
        for (int col = 0; col < tiff.width; ++col) {
            const double x = gt[0] + (col + 0.5) * gt[1], y = gt[3] + (row + 0.5) * gt[5];
            const double h = tiff.surface(x, y);
            values[static_cast<std::size_t>(row) * static_cast<std::size_t>(tiff.width) + static_cast<std::size_t>(col)] =
                static_cast<float>(std::isnan(h) && tiff.nodata ? *tiff.nodata : h);
        }
    }
    if (band->RasterIO(GF_Write, 0, 0, tiff.width, tiff.height, values.data(), tiff.width, tiff.height, GDT_Float32,
                       0, 0, nullptr) != CE_None)
        throw std::runtime_error("cannot write " + file.string());
    GDALClose(dataset);
}

}  // namespace tropolink::terrain::fixtures
