#include "reference_sampler.h"

#include <GeographicLib/Geodesic.hpp>
#include <GeographicLib/GeodesicLine.hpp>
#include <gdal_priv.h>
#include <ogr_spatialref.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <filesystem>

namespace tropolink::terrain::reference {

namespace fs = std::filesystem;

struct Sampler::Raster {
    GDALDataset* dataset = nullptr;
    OGRCoordinateTransformation* transform = nullptr;
    std::array<double, 6> inverse{};
    long width = 0, height = 0;
    bool geographic = true, hasNodata = false;
    float nodata = 0;
    double scale = 1, offset = 0;
    ~Raster() {
        if (transform) OGRCoordinateTransformation::DestroyCT(transform);
        if (dataset) GDALClose(GDALDataset::ToHandle(dataset));
    }
};

namespace {

int wrapLon(int lon) {
    while (lon >= 180) lon -= 360;
    while (lon < -180) lon += 360;
    return lon;
}

bool endsWith(const std::string& text, const std::string& tail) {
    return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

Height sample(Sampler::Raster& r, double latDeg, double lonDeg) {
    long col = 0, row = 0;
    double fx = 0, fy = 0;
    auto tryAt = [&](double x, double y) {
        if (r.transform) {
            CPLPushErrorHandler(CPLQuietErrorHandler);
            const bool moved = r.transform->Transform(1, &x, &y);
            CPLPopErrorHandler();
            if (!moved) return false;
        }
        const double u = r.inverse[0] + r.inverse[1] * x + r.inverse[2] * y - 0.5;
        const double v = r.inverse[3] + r.inverse[4] * x + r.inverse[5] * y - 0.5;
        const double maxU = static_cast<double>(r.width - 1), maxV = static_cast<double>(r.height - 1);
        if (!(u >= -1e-7 && u <= maxU + 1e-7 && v >= -1e-7 && v <= maxV + 1e-7) || r.width < 2 || r.height < 2)
            return false;
        const double cu = std::clamp(u, 0.0, maxU), cv = std::clamp(v, 0.0, maxV);
        col = std::min(static_cast<long>(cu), r.width - 2);
        row = std::min(static_cast<long>(cv), r.height - 2);
        fx = cu - static_cast<double>(col);
        fy = cv - static_cast<double>(row);
        return true;
    };
    if (!tryAt(lonDeg, latDeg) && !(r.geographic && (tryAt(lonDeg + 360, latDeg) || tryAt(lonDeg - 360, latDeg))))
        return {Kind::Missing, 0};
    std::array<float, 4> posts{};
    if (r.dataset->GetRasterBand(1)->RasterIO(GF_Read, static_cast<int>(col), static_cast<int>(row), 2, 2,
                                              posts.data(), 2, 2, GDT_Float32, 0, 0, nullptr) != CE_None)
        throw std::runtime_error("cannot read the posts");
    std::array<double, 4> h{};
    for (std::size_t i = 0; i < 4; ++i) {
        if ((r.hasNodata && posts[i] == r.nodata) || std::isnan(posts[i])) return {Kind::Void, 0};
        h[i] = static_cast<float>(static_cast<double>(posts[i]) * r.scale + r.offset);
    }
    for (const double value : h)
        if (!(value >= kLowestGroundM && value <= kHighestGroundM)) return {Kind::Invalid, value};
    const double top = h[0] + (h[1] - h[0]) * fx;
    const double bottom = h[2] + (h[3] - h[2]) * fx;
    return {Kind::Ok, top + (bottom - top) * fy};
}

std::size_t pointsFor(double lengthM, double stepM) {
    const double steps = std::floor(lengthM / stepM);
    return static_cast<std::size_t>(steps) + (lengthM - steps * stepM < 1e-6 ? 1 : 2);
}

}  // namespace

Sampler::Sampler(std::vector<std::string> paths) : paths_(std::move(paths)) {
    GDALAllRegister();
    for (const std::string& path : paths_) {
        if (!fs::is_directory(path)) continue;
        auto& tiles = folders_[path];
        for (const auto& entry : fs::directory_iterator(path)) {
            const std::string name = entry.path().filename().string();
            char ns = 0, ew = 0;
            int lat = 0, lon = 0, used = 0;
            if (std::sscanf(name.c_str(), "%c%2d%c%3d.hgt%n", &ns, &lat, &ew, &lon, &used) != 4 ||
                (name.substr(static_cast<std::size_t>(used)) != "" && name.substr(static_cast<std::size_t>(used)) != ".zip"))
                continue;
            const std::pair cell{ns == 'S' ? -lat : lat, ew == 'W' ? -lon : lon};
            if (!tiles.count(cell) || !endsWith(name, ".zip")) tiles[cell] = entry.path().string();
        }
    }
}

Sampler::~Sampler() = default;

Sampler::Raster* Sampler::raster(const std::string& file) {
    auto& slot = rasters_[file];
    if (slot) return slot.get();
    std::string gdalPath = file;
    if (endsWith(file, ".zip"))
        gdalPath = "/vsizip/" + file + "/" + fs::path(file).stem().string();
    slot = std::make_unique<Raster>();
    Raster& r = *slot;
    r.dataset = GDALDataset::FromHandle(GDALOpen(gdalPath.c_str(), GA_ReadOnly));
    if (!r.dataset) throw std::runtime_error("cannot open " + file);
    std::array<double, 6> forward{};
    r.dataset->GetGeoTransform(forward.data());
    if (!GDALInvGeoTransform(forward.data(), r.inverse.data())) throw std::runtime_error("no inverse for " + file);
    OGRSpatialReference wgs84;
    wgs84.SetWellKnownGeogCS("WGS84");
    wgs84.SetAxisMappingStrategy(OAMS_TRADITIONAL_GIS_ORDER);
    OGRSpatialReference target(*r.dataset->GetSpatialRef());
    target.SetAxisMappingStrategy(OAMS_TRADITIONAL_GIS_ORDER);
    r.geographic = target.IsGeographic() != 0;
    if (!target.IsSame(&wgs84)) r.transform = OGRCreateCoordinateTransformation(&wgs84, &target);
    r.width = r.dataset->GetRasterXSize();
    r.height = r.dataset->GetRasterYSize();
    GDALRasterBand* band = r.dataset->GetRasterBand(1);
    int has = 0;
    const double nodata = band->GetNoDataValue(&has);
    r.hasNodata = has != 0;
    r.nodata = static_cast<float>(nodata);
    const double scale = band->GetScale(&has);
    if (has) r.scale = scale;
    const double offset = band->GetOffset(&has);
    if (has) r.offset = offset;
    return &r;
}

std::vector<std::string> Sampler::candidates(const std::string& source, double latDeg, double lonDeg) {
    const auto folder = folders_.find(source);
    if (folder == folders_.end()) return {source};
    const int lat = static_cast<int>(std::floor(latDeg)), lon = static_cast<int>(std::floor(lonDeg));
    std::vector<std::string> files;
    for (int a = 0; a < (latDeg == lat ? 2 : 1); ++a)
        for (int b = 0; b < (lonDeg == lon ? 2 : 1); ++b)
            if (const auto tile = folder->second.find({lat - a, wrapLon(lon - b)}); tile != folder->second.end())
                files.push_back(tile->second);
    return files;
}

Height Sampler::heightAt(double latDeg, double lonDeg) {
    Height found;
    for (const std::string& source : paths_) {
        for (const std::string& file : candidates(source, latDeg, lonDeg)) {
            const Height h = sample(*raster(file), latDeg, lonDeg);
            if (h.kind == Kind::Ok || h.kind == Kind::Invalid) return h;
            if (h.kind == Kind::Void) found.kind = Kind::Void;
        }
    }
    return found;
}

std::optional<Profile> profile(Sampler& sampler, Site from, Site to, double stepM, const ProfileOptions& options) {
    const GeographicLib::GeodesicLine line =
        GeographicLib::Geodesic::WGS84().InverseLine(from.latDeg, from.lonDeg, to.latDeg, to.lonDeg);
    const double lengthKm = line.Distance() / 1000;
    const std::size_t count = pointsFor(lengthKm * 1000, stepM);
    if (!(lengthKm >= 1 && lengthKm <= 2000) || count > 100000) return std::nullopt;
    Profile p;
    std::vector<bool> isVoid;
    for (std::size_t i = 0; i < count; ++i) {
        const bool last = i + 1 == count;
        const double distanceKm = last ? lengthKm : static_cast<double>(i) * stepM / 1000;
        Site at = i == 0 ? from : to;
        if (i > 0 && !last) line.Position(distanceKm * 1000, at.latDeg, at.lonDeg);
        const Height h = sampler.heightAt(at.latDeg, at.lonDeg);
        if (h.kind == Kind::Invalid || (h.kind == Kind::Missing && !options.seaWhereMissing) ||
            (h.kind == Kind::Void && !options.fillVoids))
            return std::nullopt;
        p.distanceKm.push_back(distanceKm);
        p.heightM.push_back(h.kind == Kind::Ok ? h.heightM : 0);
        p.latDeg.push_back(at.latDeg);
        p.lonDeg.push_back(at.lonDeg);
        isVoid.push_back(h.kind == Kind::Void);
    }
    for (std::size_t i = 0; i < count; ++i) {
        if (!isVoid[i]) continue;
        std::size_t end = i;
        while (end < count && isVoid[end]) ++end;
        if (i == 0 || end == count) return std::nullopt;
        const double d0 = p.distanceKm[i - 1], h0 = p.heightM[i - 1], d1 = p.distanceKm[end], h1 = p.heightM[end];
        for (std::size_t k = i; k < end; ++k) p.heightM[k] = h0 + (h1 - h0) * (p.distanceKm[k] - d0) / (d1 - d0);
        i = end;
    }
    return p;
}

}  // namespace tropolink::terrain::reference
