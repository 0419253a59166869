#include <gtest/gtest.h>

#include <gdal_priv.h>
#include <ogrsf_frmts.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

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

using Parts = std::vector<std::vector<std::pair<double, double>>>;  // (lon, lat) of each line

// The parts of the path as a file holds them: one for a line, more for a
// line cut in pieces.
Parts pathParts(const fs::path& file) {
    GDALDatasetUniquePtr dataset(GDALDataset::Open(file.c_str(), GDAL_OF_VECTOR));
    Parts parts;
    if (!dataset) return parts;
    for (auto& feature : *dataset->GetLayer(0)) {
        if (std::string(feature->GetFieldAsString("name")) != "Path") continue;
        const OGRGeometry* geometry = feature->GetGeometryRef();
        const auto add = [&](const OGRLineString& line) {
            parts.emplace_back();
            for (const auto& point : line) parts.back().emplace_back(point.getX(), point.getY());
        };
        if (wkbFlatten(geometry->getGeometryType()) == wkbMultiLineString)
            for (const auto* line : *geometry->toMultiLineString()) add(*line);
        else
            add(*geometry->toLineString());
    }
    return parts;
}

std::vector<MapFeature> pathThrough(const Parts::value_type& points) {
    PathProfile p;
    for (const auto& [lon, lat] : points) {
        p.distanceKm.push_back(static_cast<double>(p.distanceKm.size()) * 50);
        p.heightM.push_back(100);
        p.latDeg.push_back(lat);
        p.lonDeg.push_back(lon);
    }
    return linkFeatures(p, {}, {}, {});
}

TEST(AntimeridianTest, GeoJsonLinesAreCutWhereTheyCrossIt) {
    struct Case {
        const char* what;
        Parts::value_type path;
        Parts geoJson;
    };
    const Case cases[] = {
        {"eastward", {{179, 10}, {179.5, 10.5}, {-179.5, 11.5}, {-179, 12}},
         {{{179, 10}, {179.5, 10.5}, {180, 11}}, {{-180, 11}, {-179.5, 11.5}, {-179, 12}}}},
        {"westward", {{-179, 12}, {-179.5, 11.5}, {179.5, 10.5}, {179, 10}},
         {{{-179, 12}, {-179.5, 11.5}, {-180, 11}}, {{180, 11}, {179.5, 10.5}, {179, 10}}}},
        {"twice", {{179.5, 0}, {-179.5, 1}, {179.5, 2}},
         {{{179.5, 0}, {180, 0.5}}, {{-180, 0.5}, {-179.5, 1}, {-180, 1.5}}, {{180, 1.5}, {179.5, 2}}}},
        {"from the antimeridian", {{-180, 5}, {179.5, 6}, {179, 7}}, {{{180, 5}, {179.5, 6}, {179, 7}}}},
        {"to the antimeridian", {{179, 7}, {179.5, 6}, {-180, 5}}, {{{179, 7}, {179.5, 6}, {180, 5}}}},
        {"along it", {{180, 5}, {-180, 6}, {180, 7}}, {{{180, 5}, {180, 6}, {180, 7}}}},
        {"across the prime meridian", {{-0.5, 50}, {0.5, 51}}, {{{-0.5, 50}, {0.5, 51}}}},
    };
    TempDir dir;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const auto features = pathThrough(c.path);
        writeMapFeatures(dir / "path.geojson", features);
        const Parts written = pathParts(dir / "path.geojson");
        ASSERT_EQ(written.size(), c.geoJson.size());
        for (std::size_t i = 0; i < written.size(); ++i) {
            ASSERT_EQ(written[i].size(), c.geoJson[i].size()) << "part " << i;
            for (std::size_t j = 0; j < written[i].size(); ++j) {
                EXPECT_DOUBLE_EQ(written[i][j].first, c.geoJson[i][j].first) << "part " << i << " point " << j;
                EXPECT_DOUBLE_EQ(written[i][j].second, c.geoJson[i][j].second) << "part " << i << " point " << j;
            }
        }
        // KML keeps the line whole, as Google Earth draws it.
        writeMapFeatures(dir / "path.kml", features);
        EXPECT_EQ(pathParts(dir / "path.kml"), Parts{c.path});
    }
}

}  // namespace
}  // namespace tropolink::terrain
