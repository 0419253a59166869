#include <gtest/gtest.h>

#include <gdal_priv.h>
#include <ogrsf_frmts.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "dem_fixtures.h"
#include "terrain/map_features.h"
#include "terrain/terrain_error.h"

namespace tropolink::terrain {
namespace {

using namespace fixtures;

PathProfile smallProfile() {
    PathProfile p;
    p.distanceKm = {0, 50, 100};
    p.heightM = {120, 900, 40};
    p.latDeg = {44.0, 44.2, 44.4};
    p.lonDeg = {-72.0, -71.5, -71.0};
    return p;
}

std::vector<MapFeature> features() {
    return linkFeatures(smallProfile(), {{44.05, -71.9}, 300}, {{44.35, -71.1}, 250}, {{44.2, -71.5}, 4200});
}

TEST(MapFeaturesTest, KmlAndGeoJsonListTheLayerWithItsFeatures) {
    TempDir dir;
    for (const std::string name : {"link.kml", "link.geojson"}) {
        const auto file = dir / name;
        writeMapFeatures(file, features());
        GDALDatasetUniquePtr dataset(GDALDataset::Open(file.c_str(), GDAL_OF_VECTOR));
        ASSERT_TRUE(dataset) << name;
        ASSERT_EQ(dataset->GetLayerCount(), 1) << name;
        OGRLayer* layer = dataset->GetLayer(0);
        EXPECT_EQ(layer->GetFeatureCount(), 6) << name;
        std::vector<std::string> names;
        for (auto& feature : *layer) {
            names.emplace_back(feature->GetFieldAsString("name"));
            if (names.back() == "Common volume") {
                EXPECT_EQ(feature->GetFieldAsDouble("height_m"), 4200) << name;
                const auto* point = feature->GetGeometryRef()->toPoint();
                EXPECT_DOUBLE_EQ(point->getX(), -71.5);
                EXPECT_DOUBLE_EQ(point->getY(), 44.2);
            }
            if (names.back() == "Path") {
                EXPECT_EQ(feature->GetGeometryRef()->toLineString()->getNumPoints(), 3);
            }
        }
        EXPECT_EQ(names, (std::vector<std::string>{"Path", "Site 1", "Site 2", "Horizon 1", "Horizon 2", "Common volume"}));
    }
    // Nothing but the two files is left behind.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 2);
}

TEST(MapFeaturesTest, FailedWriteLeavesTheOldFileAndNoTemporary) {
    TempDir dir;
    const auto file = dir / "link.geojson";
    std::ofstream(file) << "old";
    std::vector<MapFeature> bad = features();
    bad.push_back({"Nowhere", {}, 0});
    EXPECT_THROW(writeMapFeatures(file, bad), TerrainError);
    EXPECT_THROW(writeMapFeatures(dir / "link.shp", features()), TerrainError);
    EXPECT_THROW(writeMapFeatures(dir / "missing" / "link.kml", features()), TerrainError);
    std::stringstream kept;
    kept << std::ifstream(file).rdbuf();
    EXPECT_EQ(kept.str(), "old");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
}

}  // namespace
}  // namespace tropolink::terrain
