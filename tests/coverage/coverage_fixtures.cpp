#include "coverage_fixtures.h"

#include <gdal_priv.h>

#include <algorithm>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace tropolink::coverage::testing_support {

double hills(double latDeg, double lonDeg) {
    if (lonDeg > -71.15) return 0;
    const double hollow = std::hypot(latDeg - 44.3, lonDeg + 71.6) < 0.02 ? -30 : 0;
    if (hollow != 0) return hollow;
    const double shore = std::min(1.0, (-71.15 - lonDeg) / 0.1);  // rising from the sea over about 8 km
    return shore * (60 + 250 * (1 + std::sin(latDeg * 37) * std::cos(lonDeg * 29)) + 80 * std::sin(lonDeg * 113));
}

Tiles::Tiles() : Tiles(hills) {}

Tiles::Tiles(const terrain::fixtures::Surface& surface)
    : paths{[&] {
          terrain::fixtures::writeHgtTile(dir.path(), 44, -72, surface);
          return dir.path().string();
      }()},
      dems(paths) {}

P2001Maps placeDependentMaps() {
    P2001Maps maps;
    maps.source = "test values";
    maps.read = [](p2001::MapFile file, p2001::GeoPoint at) {
        const double nudge = 0.1 * (at.latDeg - 44) + 0.05 * (at.lonDeg + 72);
        switch (file) {
            case p2001::MapFile::DnMedian: return 45 + 10 * nudge;
            case p2001::MapFile::DnSupSlope: return 14 + nudge;
            case p2001::MapFile::DnSubSlope: return 9 - nudge;
            case p2001::MapFile::Dndz01: return -250 - 20 * nudge;
            case p2001::MapFile::SurfaceWaterVapour: return 7.5 + nudge;
            case p2001::MapFile::ZeroDegreeHeight: return 2.5 + nudge / 10;
            case p2001::MapFile::RainPr6: return 4.5 + nudge;
            case p2001::MapFile::RainMt: return 900 + 100 * nudge;
            case p2001::MapFile::RainBeta: return 0.25 + nudge / 10;
            case p2001::MapFile::FoEs01: return 9.5 + nudge;
            case p2001::MapFile::FoEs1: return 6.5 + nudge;
            case p2001::MapFile::FoEs10: return 4.2 + nudge;
            case p2001::MapFile::FoEs50: return 2.6 + nudge;
            case p2001::MapFile::TropoClim: return at.lonDeg > -71.15 ? 0.0 : 4.0;
        }
        return 0.0;
    };
    return maps;
}

P2001Settings p2001Settings(std::vector<double> percents) {
    P2001Settings s;
    s.frequencyMhz = 2000;
    s.percents = std::move(percents);
    s.mast1M = 30;
    s.mast2M = 10;
    s.gain1Dbi = 25;
    s.gain2Dbi = 12;
    return s;
}

TroposcatterSettings troposcatterSettings(itur::ItuMethod method, std::vector<double> percents) {
    TroposcatterSettings s;
    s.method = method;
    s.frequencyMhz = 2000;
    s.percents = std::move(percents);
    s.mast1M = 30;
    s.mast2M = 10;
    s.gain1Dbi = 25;
    s.gain2Dbi = 12;
    s.climate.defaultN0 = 320;
    return s;
}

CoverageSetup setupFor(const terrain::DemSet& dems, const PathMethod& method, double radiusKm, double cellM,
                       terrain::Site site) {
    CoverageSetup setup;
    setup.grid = makeGrid({site, radiusKm, cellM});
    setup.dems = &dems;
    setup.method = &method;
    return setup;
}

std::vector<float> readBand(const std::string& path, int band) {
    GDALAllRegister();
    std::unique_ptr<GDALDataset> dataset(GDALDataset::Open(path.c_str(), GDAL_OF_RASTER | GDAL_OF_READONLY));
    if (!dataset) throw std::runtime_error("cannot read " + path);
    const int cols = dataset->GetRasterXSize(), rows = dataset->GetRasterYSize();
    std::vector<float> values(static_cast<std::size_t>(cols) * static_cast<std::size_t>(rows));
    if (dataset->GetRasterBand(band)->RasterIO(GF_Read, 0, 0, cols, rows, values.data(), cols, rows, GDT_Float32, 0, 0,
                                               nullptr) != CE_None)
        throw std::runtime_error("cannot read the band of " + path);
    return values;
}

std::map<std::string, std::string> metadataOf(const std::string& path) {
    GDALAllRegister();
    std::unique_ptr<GDALDataset> dataset(GDALDataset::Open(path.c_str(), GDAL_OF_RASTER | GDAL_OF_READONLY));
    if (!dataset) throw std::runtime_error("cannot read " + path);
    std::map<std::string, std::string> items;
    for (char** item = dataset->GetMetadata(); item != nullptr && *item != nullptr; ++item) {
        const std::string text = *item;
        const auto equals = text.find('=');
        items[text.substr(0, equals)] = equals == std::string::npos ? "" : text.substr(equals + 1);
    }
    return items;
}

std::string fileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

std::vector<std::string> filesIn(const fs::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

}  // namespace tropolink::coverage::testing_support
