#include "terrain/map_features.h"

#include <cpl_vsi.h>
#include <gdal_priv.h>
#include <ogr_feature.h>
#include <ogr_geometry.h>
#include <ogr_spatialref.h>
#include <ogrsf_frmts.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <memory>
#include <system_error>

#include "terrain/gdal_support.h"
#include "terrain/site.h"
#include "terrain/terrain_error.h"

namespace tropolink::terrain {

namespace fs = std::filesystem;

namespace {

constexpr const char* kLayerName = "tropolink";

std::string lowered(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c); });
    return text;
}

[[noreturn]] void fail(const fs::path& file, const std::string& what) {
    throw TerrainError("map file " + file.string() + ": " + what + " (" + gdal::lastError("write failed") + ")");
}

// RFC 7946 §3.1.9: a line that crosses the antimeridian is cut there, so
// that no part's coordinates jump from one side to the other. A step of more
// than 180° of longitude crosses it; the latitude at the cut is taken along
// the step, which the profile's points keep short.
std::vector<std::vector<Site>> cutAtAntimeridian(const std::vector<Site>& line) {
    std::vector<std::vector<Site>> parts{{line.front()}};
    Site from = line.front();
    for (std::size_t i = 1; i < line.size(); ++i) {
        Site to = line[i];
        if (std::fabs(to.lonDeg) == 180 && std::fabs(from.lonDeg) == 180) {
            to.lonDeg = from.lonDeg;  // one meridian, written either way
        } else if (std::fabs(to.lonDeg - from.lonDeg) > 180) {
            const double side = from.lonDeg > to.lonDeg ? 180 : -180;  // the side `from` is on
            const double t = (side - from.lonDeg) / (to.lonDeg + 2 * side - from.lonDeg);
            const double latDeg = from.latDeg + t * (to.latDeg - from.latDeg);
            if (from.lonDeg != side) parts.back().push_back({latDeg, side});
            parts.push_back({});
            if (to.lonDeg != -side) parts.back().push_back({latDeg, -side});
        }
        parts.back().push_back(to);
        from = to;
    }
    // A part of one point is a line that starts or ends on the antimeridian.
    std::erase_if(parts, [](const std::vector<Site>& part) { return part.size() < 2; });
    return parts;
}

std::unique_ptr<OGRGeometry> lineGeometry(const std::vector<Site>& vertices, bool cutAtTheAntimeridian) {
    const auto lineString = [](const std::vector<Site>& part) {
        auto line = std::make_unique<OGRLineString>();
        for (const auto& vertex : part) line->addPoint(vertex.lonDeg, vertex.latDeg);
        return line;
    };
    if (!cutAtTheAntimeridian) return lineString(vertices);
    const auto parts = cutAtAntimeridian(vertices);
    if (parts.size() <= 1) return lineString(parts.empty() ? vertices : parts.front());
    auto lines = std::make_unique<OGRMultiLineString>();
    for (const auto& part : parts) lines->addGeometryDirectly(lineString(part).release());
    return lines;
}

void writeLayer(GDALDataset& dataset, const fs::path& file, std::span<const MapFeature> features) {
    const bool geoJson = std::string_view(dataset.GetDriverName()) == "GeoJSON";
    OGRSpatialReference wgs84;
    wgs84.SetWellKnownGeogCS("WGS84");
    wgs84.SetAxisMappingStrategy(OAMS_TRADITIONAL_GIS_ORDER);
    OGRLayer* layer = dataset.CreateLayer(kLayerName, &wgs84, wkbUnknown, nullptr);
    if (layer == nullptr) fail(file, "cannot create the layer");
    OGRFieldDefn name("name", OFTString);
    OGRFieldDefn height("height_m", OFTReal);
    if (layer->CreateField(&name) != OGRERR_NONE || layer->CreateField(&height) != OGRERR_NONE)
        fail(file, "cannot create the attributes");
    for (const auto& feature : features) {
        OGRFeature row(layer->GetLayerDefn());
        row.SetField("name", feature.name.c_str());
        row.SetField("height_m", feature.heightM);
        if (feature.vertices.size() == 1) {
            OGRPoint point(feature.vertices[0].lonDeg, feature.vertices[0].latDeg);
            row.SetGeometry(&point);
        } else {
            row.SetGeometryDirectly(lineGeometry(feature.vertices, geoJson).release());
        }
        if (layer->CreateFeature(&row) != OGRERR_NONE) fail(file, "cannot write feature " + feature.name);
    }
}

}  // namespace

std::vector<MapFeature> linkFeatures(const PathProfile& profile, MapPoint horizon1, MapPoint horizon2,
                                     MapPoint commonVolume) {
    std::vector<MapFeature> features;
    if (profile.distanceKm.empty()) return features;
    MapFeature path{"Path", {}, *std::max_element(profile.heightM.begin(), profile.heightM.end())};
    for (std::size_t i = 0; i < profile.latDeg.size(); ++i) path.vertices.push_back({profile.latDeg[i], profile.lonDeg[i]});
    features.push_back(std::move(path));
    features.push_back({"Site 1", {{profile.latDeg.front(), profile.lonDeg.front()}}, profile.heightM.front()});
    features.push_back({"Site 2", {{profile.latDeg.back(), profile.lonDeg.back()}}, profile.heightM.back()});
    features.push_back({"Horizon 1", {horizon1.site}, horizon1.heightM});
    features.push_back({"Horizon 2", {horizon2.site}, horizon2.heightM});
    features.push_back({"Common volume", {commonVolume.site}, commonVolume.heightM});
    return features;
}

namespace {

std::vector<const char*> driversOf(MapFeatureFormat format) {
    if (format == MapFeatureFormat::Kml) return {"KML", "LIBKML"};
    return {"GeoJSON"};
}

// Writes the features as a dataset at `target` (a file or a /vsimem/ name);
// `file` names it in messages.
void writeDataset(const std::string& target, const fs::path& file, MapFeatureFormat format,
                  std::span<const MapFeature> features) {
    for (const auto& feature : features)
        if (feature.vertices.empty()) throw TerrainError("map feature " + feature.name + " has no position");
    gdal::ensureRegistered();
    gdal::QuietErrors quiet;
    GDALDriver* driver = nullptr;
    for (const char* candidate : driversOf(format))
        if ((driver = GetGDALDriverManager()->GetDriverByName(candidate)) != nullptr) break;
    if (driver == nullptr) throw TerrainError("map file " + file.string() + ": GDAL has no driver for it");
    GDALDataset* dataset = driver->Create(target.c_str(), 0, 0, 0, GDT_Unknown, nullptr);
    if (dataset == nullptr) fail(file, "cannot create it");
    try {
        writeLayer(*dataset, file, features);
    } catch (...) {
        GDALClose(dataset);
        throw;
    }
    CPLErrorReset();
    GDALClose(dataset);
    if (CPLGetLastErrorType() >= CE_Failure) fail(file, "cannot finish it");
}

const char* extensionOf(MapFeatureFormat format) { return format == MapFeatureFormat::Kml ? ".kml" : ".geojson"; }

}  // namespace

MapFeatureFormat mapFeatureFormatFor(const fs::path& file) {
    const std::string extension = lowered(file.extension().string());
    if (extension == ".kml") return MapFeatureFormat::Kml;
    if (extension == ".geojson" || extension == ".json") return MapFeatureFormat::GeoJson;
    throw TerrainError("map file " + quoteInput(file.string()) + ": unknown kind (allowed: .kml, .geojson, .json)");
}

std::string mapFeaturesText(std::span<const MapFeature> features, MapFeatureFormat format, const fs::path& file) {
    static std::atomic<unsigned> serial{0};
    const std::string name = "/vsimem/tropolink-features-" + std::to_string(getpid()) + "-" +
                             std::to_string(serial++) + extensionOf(format);
    try {
        writeDataset(name, file, format, features);
    } catch (...) {
        VSIUnlink(name.c_str());
        throw;
    }
    vsi_l_offset length = 0;
    GByte* bytes = VSIGetMemFileBuffer(name.c_str(), &length, TRUE);
    std::string text(reinterpret_cast<const char*>(bytes), static_cast<std::size_t>(length));
    CPLFree(bytes);
    VSIUnlink(name.c_str());
    return text;
}

void writeMapFeatures(const fs::path& file, std::span<const MapFeature> features) {
    const MapFeatureFormat format = mapFeatureFormatFor(file);
    // Same folder, so that the rename stays on one file system.
    static std::atomic<unsigned> serial{0};
    const fs::path temporary = file.parent_path() / ("." + file.stem().string() + ".tmp" + std::to_string(getpid()) +
                                                     "-" + std::to_string(serial++) + extensionOf(format));
    try {
        writeDataset(temporary.string(), file, format, features);
        std::error_code error;
        fs::rename(temporary, file, error);
        if (error) throw TerrainError("map file " + file.string() + ": cannot put it in place (" + error.message() + ")");
    } catch (...) {
        std::error_code ignored;
        fs::remove(temporary, ignored);
        throw;
    }
}

}  // namespace tropolink::terrain
