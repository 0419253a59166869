#include "terrain/dem_raster.h"

#include <GeographicLib/Geodesic.hpp>
#include <fcntl.h>
#include <cpl_string.h>
#include <gdal_priv.h>
#include <ogr_spatialref.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cmath>

#include "terrain/dataset_pool.h"
#include "terrain/gdal_support.h"
#include "io/input_file.h"
#include "terrain/post_block.h"
#include "terrain/side_files.h"
#include "terrain/terrain_error.h"

namespace tropolink::terrain {
namespace {

// Posts are read in square blocks of this side (and one post more, shared
// with the next block): a path crosses a tile along a narrow band, and
// reading only the blocks it meets is several times faster than reading the
// whole tile, while a block is still large enough that a path meets few of them.
constexpr long kBlockPosts = 256;
// Rounding in the geotransform must not push a point on the outermost posts
// out of the raster.
constexpr double kEdgeTolerancePosts = 1e-7;
constexpr double kFullTurnDeg = 360;

void closeDataset(GDALDataset* dataset) { GDALClose(GDALDataset::ToHandle(dataset)); }
void destroyTransform(OGRCoordinateTransformation* transform) { OGRCoordinateTransformation::DestroyCT(transform); }

bool outOfFileDescriptors() {
    const int fd = open("/", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return errno == EMFILE || errno == ENFILE;
    close(fd);
    return false;
}

bool onEarth(double heightM) { return heightM >= kLowestGroundM && heightM <= kHighestGroundM; }

}  // namespace

DemRaster::DemRaster(const std::string& gdalPath, std::string name, bool noSiblings)
    : name_(std::move(name)),
      gdalPath_(gdalPath),
      noSiblings_(noSiblings),
      dataset_(nullptr, closeDataset),
      toRaster_(nullptr, destroyTransform) {
    gdal::ensureRegistered();
    const std::lock_guard lock(io_);
    openDataset();
    try {
        readGeometry();
    } catch (...) {
        // No destructor runs for an object whose constructor throws.
        DatasetPool::shared().remove(this);
        throw;
    }
}

void DemRaster::readGeometry() {
    gdal::QuietErrors quiet;
    const std::string shown = printablePath(name_);
    const OGRSpatialReference* crs = dataset_->GetSpatialRef();
    if (dataset_->GetGeoTransform(forward_.data()) != CE_None || crs == nullptr || crs->IsEmpty())
        throw TerrainError("DEM " + shown + ": the raster has no georeference (allowed: a raster with a "
                                            "geotransform and a coordinate system)");
    if (!GDALInvGeoTransform(forward_.data(), inverse_.data()))
        throw TerrainError("DEM " + shown + ": the raster's geotransform cannot be inverted");

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
            throw TerrainError("DEM " + shown + ": its coordinate system cannot be reached from WGS84 (" +
                               gdal::lastError("no transformation") + ")");
    }

    GDALRasterBand* band = dataset_->GetRasterBand(1);
    width_ = dataset_->GetRasterXSize();
    height_ = dataset_->GetRasterYSize();
    blocksAcross_ = std::max(1L, (width_ - 2) / kBlockPosts + 1);
    int hasNodata = 0;
    const double nodata = band->GetNoDataValue(&hasNodata);
    hasNodata_ = hasNodata != 0;
    nodata_ = static_cast<float>(nodata);
    int hasScale = 0, hasOffset = 0;
    const double scale = band->GetScale(&hasScale);
    const double offset = band->GetOffset(&hasOffset);
    if (hasScale) scale_ = scale;
    if (hasOffset) offset_ = offset;
    // Whole metres stay int16, at half the memory: the float they would
    // become holds the same number.
    wholeMetres_ = band->GetRasterDataType() == GDT_Int16 && scale_ == 1 && offset_ == 0;
    hasNodata16_ = hasNodata_ && std::trunc(nodata_) == nodata_ && nodata_ >= INT16_MIN && nodata_ <= INT16_MAX;
    if (hasNodata16_) nodata16_ = static_cast<std::int16_t>(nodata_);
}

DemRaster::~DemRaster() {
    DatasetPool::shared().remove(this);
    BlockCache::shared().forget(this);
}

void DemRaster::openDataset() const {
    if (dataset_) {
        DatasetPool::shared().use(this);
        return;
    }
    // GDAL is told which side files there are, so that it opens no FIFO;
    // inside a ZIP there are none such.
    CPLStringList siblings;
    const bool listSiblings = !noSiblings_ && gdalPath_.rfind("/vsi", 0) != 0;
    if (listSiblings)
        for (const std::string& name : regularSideFiles(gdalPath_)) siblings.AddString(name.c_str());
    const auto tryOpen = [&] {
        gdal::QuietErrors quiet;
        char* noSiblingFiles[] = {nullptr};
        char** given = noSiblings_ ? noSiblingFiles : listSiblings ? siblings.List() : nullptr;
        if (given == nullptr && listSiblings) given = noSiblingFiles;
        dataset_.reset(GDALDataset::Open(gdalPath_.c_str(), GDAL_OF_RASTER | GDAL_OF_READONLY, nullptr, nullptr,
                                         given));
        return gdal::lastError("unknown format");
    };
    std::string error = tryOpen();
    if (!dataset_ && outOfFileDescriptors()) {
        DatasetPool::shared().closeIdle(this);
        error = tryOpen();
    }
    const std::string shown = printablePath(name_);
    if (!dataset_ && outOfFileDescriptors())
        throw TerrainError("DEM " + shown +
                           ": cannot open it, the process has as many files open as it may (allowed: fewer files "
                           "at once, or a higher limit on open files)");
    if (!dataset_ || dataset_->GetRasterCount() < 1) {
        dataset_.reset();
        throw TerrainError("DEM " + shown + ": not a raster GDAL can read (" + error + ")");
    }
    DatasetPool::shared().use(this);
}

bool DemRaster::postsAround(double x, double y, Posts& posts) const {
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
}

DemRaster::Posts DemRaster::locate(double latDeg, double lonDeg, OGRCoordinateTransformation* transform) const {
    Posts posts;
    auto tryAt = [&](double x, double y) {
        if (transform) {
            // PROJ complains of points outside the projection's domain; here
            // they are simply outside the raster.
            gdal::QuietErrors quiet;
            if (!transform->Transform(1, &x, &y)) return false;
        }
        return postsAround(x, y, posts);
    };
    // Most rasters are on WGS84 and hold the point as it is.
    if (transform ? tryAt(lonDeg, latDeg) : postsAround(lonDeg, latDeg, posts)) return posts;
    // A geographic raster may run past ±180 (a tile east of the antimeridian
    // has its last posts at 180, the one west starts at -180).
    if (geographic_ && !tryAt(lonDeg + kFullTurnDeg, latDeg)) tryAt(lonDeg - kFullTurnDeg, latDeg);
    return posts;
}

bool DemRaster::covers(double latDeg, double lonDeg) const {
    const std::lock_guard lock(transformLock_);
    return locate(latDeg, lonDeg, toRaster_.get()).inside;
}

bool DemRaster::covers(double latDeg, double lonDeg, RasterReader& reader) const {
    return locate(latDeg, lonDeg, reader.transform_.get()).inside;
}

std::shared_ptr<const PostBlock> DemRaster::block(long key) const {
    BlockCache& cache = BlockCache::shared();
    if (auto found = cache.find(this, key)) return found;
    const std::lock_guard lock(io_);
    if (auto found = cache.find(this, key)) return found;  // another thread read it meanwhile
    auto read = readBlock(key);
    cache.insert(this, key, read);
    return read;
}

std::shared_ptr<const PostBlock> DemRaster::readBlock(long key) const {
    openDataset();
    const long x0 = key % blocksAcross_ * kBlockPosts, y0 = key / blocksAcross_ * kBlockPosts;
    const long w = std::min(kBlockPosts + 1, width_ - x0), h = std::min(kBlockPosts + 1, height_ - y0);
    auto block = std::make_shared<PostBlock>();
    block->width = w;
    const auto count = static_cast<std::size_t>(w * h);
    void* values = nullptr;
    if (wholeMetres_) {
        block->whole.resize(count);
        values = block->whole.data();
    } else {
        block->real.resize(count);
        values = block->real.data();
    }
    gdal::QuietErrors quiet;
    if (dataset_->GetRasterBand(1)->RasterIO(GF_Read, static_cast<int>(x0), static_cast<int>(y0), static_cast<int>(w),
                                             static_cast<int>(h), values, static_cast<int>(w), static_cast<int>(h),
                                             wholeMetres_ ? GDT_Int16 : GDT_Float32, 0, 0, nullptr) != CE_None)
        throw TerrainError("DEM " + printablePath(name_) + ": cannot read it (" + gdal::lastError("read error") + ")");
    for (float& value : block->real) {
        if ((hasNodata_ && value == nodata_) || std::isnan(value))
            value = std::nanf("");
        else
            value = static_cast<float>(static_cast<double>(value) * scale_ + offset_);
    }
    return block;
}

DemRaster::Sample DemRaster::sample(double latDeg, double lonDeg) const {
    RasterReader reader(*this);
    return sample(latDeg, lonDeg, reader);
}

DemRaster::Sample DemRaster::sample(double latDeg, double lonDeg, RasterReader& reader) const {
    const Posts p = locate(latDeg, lonDeg, reader.transform_.get());
    if (!p.inside) return {};
    return interpolate(p, reader);
}

DemRaster::Sample DemRaster::interpolate(const Posts& p, RasterReader& reader) const {
    const long blockCol = p.col / kBlockPosts, blockRow = p.row / kBlockPosts;
    const PostBlock& block = reader.block(blockRow * blocksAcross_ + blockCol);
    const auto at = static_cast<std::size_t>((p.row - blockRow * kBlockPosts) * block.width + (p.col - blockCol * kBlockPosts));
    const auto below = at + static_cast<std::size_t>(block.width);
    double h00 = 0, h10 = 0, h01 = 0, h11 = 0;
    if (wholeMetres_) {
        const std::int16_t* posts = block.whole.data();
        const std::int16_t a = posts[at], b = posts[at + 1], c = posts[below], d = posts[below + 1];
        if (hasNodata16_ && (a == nodata16_ || b == nodata16_ || c == nodata16_ || d == nodata16_))
            return {Status::Void, 0};
        h00 = a, h10 = b, h01 = c, h11 = d;
    } else {
        const float* posts = block.real.data();
        h00 = posts[at], h10 = posts[at + 1], h01 = posts[below], h11 = posts[below + 1];
        if (std::isnan(h00) || std::isnan(h10) || std::isnan(h01) || std::isnan(h11)) return {Status::Void, 0};
    }
    for (const double h : {h00, h10, h01, h11})
        if (!onEarth(h)) return {Status::Invalid, h};
    const double top = h00 + (h10 - h00) * p.fx;
    const double bottom = h01 + (h11 - h01) * p.fx;
    return {Status::Ok, top + (bottom - top) * p.fy};
}

double DemRaster::finestStep() const {
    return std::min(std::hypot(forward_[1], forward_[4]), std::hypot(forward_[2], forward_[5]));
}

bool DemRaster::spacedAs(const DemRaster& other) const {
    return geographic_ == other.geographic_ && finestStep() == other.finestStep() &&
           (geographic_ || linearUnitM_ == other.linearUnitM_);
}

double DemRaster::postSpacingM(double latDeg) const {
    const double finest = finestStep();
    if (!geographic_) return finest * linearUnitM_;
    // The length of `finest` degrees of the meridian centred on the latitude.
    const auto& earth = GeographicLib::Geodesic::WGS84();
    const double south = std::max(latDeg - finest / 2, -90.0), north = std::min(latDeg + finest / 2, 90.0);
    double metres = 0;
    earth.Inverse(south, 0, north, 0, metres);
    return metres * finest / (north - south);
}

std::unique_ptr<OGRCoordinateTransformation, void (*)(OGRCoordinateTransformation*)> DemRaster::cloneTransform() const {
    const std::lock_guard lock(transformLock_);
    return {toRaster_ ? toRaster_->Clone() : nullptr, destroyTransform};
}

RasterReader::RasterReader(const DemRaster& raster) : raster_(&raster), transform_(raster.cloneTransform()) {}
RasterReader::~RasterReader() = default;
RasterReader::RasterReader(RasterReader&&) noexcept = default;
RasterReader& RasterReader::operator=(RasterReader&&) noexcept = default;

const PostBlock& RasterReader::swapIn(long key) {
    std::swap(blocks_[0], blocks_[1]);
    std::swap(keys_[0], keys_[1]);
    if (key != keys_[0]) {
        blocks_[0] = raster_->block(key);
        keys_[0] = key;
    }
    return *blocks_[0];
}

}  // namespace tropolink::terrain
