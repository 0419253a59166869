#include "terrain/dem_raster.h"

#include <GeographicLib/Geodesic.hpp>
#include <gdal_priv.h>
#include <ogr_spatialref.h>

#include <algorithm>
#include <cmath>

#include "terrain/gdal_support.h"
#include "terrain/terrain_error.h"

namespace tropolink::terrain {
namespace {

// Posts are read in square blocks of this side: a path crosses a tile along a
// narrow band, and reading only the blocks it meets is several times faster
// than reading the whole tile, while a block is still large enough that a
// path meets few of them.
constexpr long kBlockPosts = 256;
// Rounding in the geotransform must not push a point on the outermost posts
// out of the raster.
constexpr double kEdgeTolerancePosts = 1e-7;
constexpr double kFullTurnDeg = 360;

void closeDataset(GDALDataset* dataset) { GDALClose(GDALDataset::ToHandle(dataset)); }
void destroyTransform(OGRCoordinateTransformation* transform) { OGRCoordinateTransformation::DestroyCT(transform); }

}  // namespace

DemRaster::DemRaster(const std::string& gdalPath, std::string name, bool noSiblings)
    : name_(std::move(name)), dataset_(nullptr, closeDataset), toRaster_(nullptr, destroyTransform) {
    gdal::ensureRegistered();
    gdal::QuietErrors quiet;
    char* noSiblingFiles[] = {nullptr};
    dataset_.reset(GDALDataset::Open(gdalPath.c_str(), GDAL_OF_RASTER | GDAL_OF_READONLY, nullptr, nullptr,
                                     noSiblings ? noSiblingFiles : nullptr));
    if (!dataset_ || dataset_->GetRasterCount() < 1)
        throw TerrainError("DEM " + name_ + ": not a raster GDAL can read (" +
                           gdal::lastError("unknown format") + ")");
    const OGRSpatialReference* crs = dataset_->GetSpatialRef();
    if (dataset_->GetGeoTransform(forward_.data()) != CE_None || crs == nullptr || crs->IsEmpty())
        throw TerrainError("DEM " + name_ + ": the raster has no georeference (allowed: a raster with a "
                                            "geotransform and a coordinate system)");
    if (!GDALInvGeoTransform(forward_.data(), inverse_.data()))
        throw TerrainError("DEM " + name_ + ": the raster's geotransform cannot be inverted");

    OGRSpatialReference wgs84;
    wgs84.SetWellKnownGeogCS("WGS84");
    wgs84.SetAxisMappingStrategy(OAMS_TRADITIONAL_GIS_ORDER);
    OGRSpatialReference target(*crs);
    target.SetAxisMappingStrategy(OAMS_TRADITIONAL_GIS_ORDER);
    geographic_ = target.IsGeographic() != 0;
    if (!geographic_) linearUnitM_ = target.GetLinearUnits();
    // SRTM and most DEMs are on WGS84 already; transforming would only cost.
    if (!target.IsSame(&wgs84)) {
        toRaster_.reset(OGRCreateCoordinateTransformation(&wgs84, &target));
        if (!toRaster_)
            throw TerrainError("DEM " + name_ + ": its coordinate system cannot be reached from WGS84 (" +
                               gdal::lastError("no transformation") + ")");
    }

    GDALRasterBand* band = dataset_->GetRasterBand(1);
    width_ = dataset_->GetRasterXSize();
    height_ = dataset_->GetRasterYSize();
    blockWidth_ = std::min(width_, kBlockPosts);
    blockHeight_ = std::min(height_, kBlockPosts);
    int hasNodata = 0;
    const double nodata = band->GetNoDataValue(&hasNodata);
    hasNodata_ = hasNodata != 0;
    nodata_ = static_cast<float>(nodata);
    int hasScale = 0, hasOffset = 0;
    const double scale = band->GetScale(&hasScale);
    const double offset = band->GetOffset(&hasOffset);
    if (hasScale) scale_ = scale;
    if (hasOffset) offset_ = offset;
}

DemRaster::~DemRaster() = default;

DemRaster::Posts DemRaster::locate(double latDeg, double lonDeg) const {
    Posts posts;
    auto tryAt = [&](double x, double y) {
        if (toRaster_) {
            // PROJ complains of points outside the projection's domain; here
            // they are simply outside the raster.
            gdal::QuietErrors quiet;
            if (!toRaster_->Transform(1, &x, &y)) return false;
        }
        // Pixel coordinates count from the raster's corner; posts sit at pixel centres.
        const double u = inverse_[0] + inverse_[1] * x + inverse_[2] * y - 0.5;
        const double v = inverse_[3] + inverse_[4] * x + inverse_[5] * y - 0.5;
        const double maxU = static_cast<double>(width_ - 1), maxV = static_cast<double>(height_ - 1);
        if (!(u >= -kEdgeTolerancePosts && u <= maxU + kEdgeTolerancePosts && v >= -kEdgeTolerancePosts &&
              v <= maxV + kEdgeTolerancePosts) ||
            width_ < 2 || height_ < 2)
            return false;
        const double cu = std::clamp(u, 0.0, maxU), cv = std::clamp(v, 0.0, maxV);
        // On the last column or row, interpolate from the one before.
        posts.col = std::min(static_cast<long>(cu), width_ - 2);
        posts.row = std::min(static_cast<long>(cv), height_ - 2);
        posts.fx = cu - static_cast<double>(posts.col);
        posts.fy = cv - static_cast<double>(posts.row);
        posts.inside = true;
        return true;
    };
    // A geographic raster may run past ±180 (a tile east of the antimeridian
    // has its last posts at 180, the one west starts at -180).
    if (!tryAt(lonDeg, latDeg) && geographic_ && !tryAt(lonDeg + kFullTurnDeg, latDeg))
        tryAt(lonDeg - kFullTurnDeg, latDeg);
    return posts;
}

bool DemRaster::covers(double latDeg, double lonDeg) const { return locate(latDeg, lonDeg).inside; }

const std::vector<float>& DemRaster::block(long blockCol, long blockRow) {
    const long blocksAcross = (width_ + blockWidth_ - 1) / blockWidth_;
    const long key = blockRow * blocksAcross + blockCol;
    if (key == lastBlockKey_) return *lastBlock_;
    auto found = blocks_.find(key);
    if (found == blocks_.end()) {
        const long x0 = blockCol * blockWidth_, y0 = blockRow * blockHeight_;
        const long w = std::min(blockWidth_, width_ - x0), h = std::min(blockHeight_, height_ - y0);
        std::vector<float> values(static_cast<std::size_t>(w * h));
        gdal::QuietErrors quiet;
        if (dataset_->GetRasterBand(1)->RasterIO(GF_Read, static_cast<int>(x0), static_cast<int>(y0),
                                                 static_cast<int>(w), static_cast<int>(h), values.data(),
                                                 static_cast<int>(w), static_cast<int>(h), GDT_Float32, 0, 0,
                                                 nullptr) != CE_None)
            throw TerrainError("DEM " + name_ + ": cannot read it (" + gdal::lastError("read error") + ")");
        for (float& value : values) {
            if ((hasNodata_ && value == nodata_) || std::isnan(value))
                value = std::nanf("");
            else
                value = static_cast<float>(static_cast<double>(value) * scale_ + offset_);
        }
        found = blocks_.emplace(key, std::move(values)).first;
    }
    lastBlockKey_ = key;
    lastBlock_ = &found->second;
    return found->second;
}

float DemRaster::post(long col, long row) {
    const long bc = col / blockWidth_, br = row / blockHeight_;
    const auto& values = block(bc, br);
    const long w = std::min(blockWidth_, width_ - bc * blockWidth_);
    return values[static_cast<std::size_t>((row - br * blockHeight_) * w + (col - bc * blockWidth_))];
}

DemRaster::Sample DemRaster::sample(double latDeg, double lonDeg) {
    const Posts p = locate(latDeg, lonDeg);
    if (!p.inside) return {};
    const double h00 = post(p.col, p.row), h10 = post(p.col + 1, p.row);
    const double h01 = post(p.col, p.row + 1), h11 = post(p.col + 1, p.row + 1);
    if (std::isnan(h00) || std::isnan(h10) || std::isnan(h01) || std::isnan(h11)) return {Status::Void, 0};
    const double top = h00 + (h10 - h00) * p.fx;
    const double bottom = h01 + (h11 - h01) * p.fx;
    return {Status::Ok, top + (bottom - top) * p.fy};
}

double DemRaster::postSpacingM(double latDeg) const {
    const double across = std::hypot(forward_[1], forward_[4]);
    const double down = std::hypot(forward_[2], forward_[5]);
    const double finest = std::min(across, down);
    if (!geographic_) return finest * linearUnitM_;
    // The length of `finest` degrees of the meridian centred on the latitude.
    const auto& earth = GeographicLib::Geodesic::WGS84();
    const double south = std::max(latDeg - finest / 2, -90.0), north = std::min(latDeg + finest / 2, 90.0);
    double metres = 0;
    earth.Inverse(south, 0, north, 0, metres);
    return metres * finest / (north - south);
}

}  // namespace tropolink::terrain
