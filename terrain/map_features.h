#pragma once

#include <filesystem>
#include <span>
#include <string>
#include <vector>

#include "terrain/path_profile.h"
#include "terrain/site.h"

namespace tropolink::terrain {

// A named place on the map: one vertex is a point, more a line.
struct MapFeature {
    std::string name;
    std::vector<Site> vertices;
    double heightM = 0;  // the "height_m" attribute: ground or feature height above sea level
};

struct MapPoint {
    Site site;
    double heightM = 0;
};

// The path line (at the profile's points, height the highest ground), both
// sites (their ground height), both horizons and the common volume.
std::vector<MapFeature> linkFeatures(const PathProfile& profile, MapPoint horizon1, MapPoint horizon2,
                                     MapPoint commonVolume);

// Writes the features as one layer, WGS84 lon/lat, with "name" and
// "height_m" attributes: KML for a .kml file, GeoJSON for .geojson or .json.
// The file is written under a temporary name beside it and renamed, so a
// failed write leaves any earlier file untouched. Throws TerrainError.
void writeMapFeatures(const std::filesystem::path& file, std::span<const MapFeature> features);

enum class MapFeatureFormat { Kml, GeoJson };

// The format a file's extension names. Throws TerrainError for another.
MapFeatureFormat mapFeatureFormatFor(const std::filesystem::path& file);

// The features as writeMapFeatures writes them, in `format` whatever the
// name of `file`, which only names them in messages; GeoJSON lines cut at
// the antimeridian. Throws TerrainError.
std::string mapFeaturesText(std::span<const MapFeature> features, MapFeatureFormat format,
                            const std::filesystem::path& file);

}  // namespace tropolink::terrain
