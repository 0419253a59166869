#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <list>
#include <memory>
#include <mutex>
#include <string>

class GDALDataset;
class OGRCoordinateTransformation;

namespace tropolink::terrain {

struct PostBlock;
class RasterReader;

// No ground lies outside these heights: the lowest dry land, the Dead Sea's
// shore, is 430 m below sea level, the highest summit 8849 m above it, and
// the upper bound leaves room for exaggerated relief. A post beyond them is
// damaged, in another unit, or a nodata value the file does not declare
// (-9999, -32767, 1e30, infinity).
inline constexpr double kLowestGroundM = -1000;
inline constexpr double kHighestGroundM = 15000;

// One elevation raster opened through GDAL. Each value is a post at its
// pixel's centre; a point's height is the bilinear interpolation of the four
// posts around it. Posts are read a block at a time, when first needed, into
// the process's bounded block cache (terrain/dem_cache.h), so repeated
// look-ups cost no I/O. Many threads may read one raster at once, each
// through its own RasterReader; the GDAL dataset, which is not safe to share,
// is read under a lock, and is closed while idle when too many are open.
class DemRaster {
public:
    enum class Status {
        Ok,       // the four posts are valid
        Void,     // the point is inside, but a post is nodata
        Outside,  // the raster has no four posts around the point
        Invalid,  // a post holds a height no ground has (see kLowestGroundM); `heightM` is it
    };
    struct Sample {
        Status status = Status::Outside;
        double heightM = 0;
    };

    // `gdalPath` is what GDAL opens (perhaps a /vsizip/ path); `name` is
    // what messages show. With `noSiblings` GDAL does not list the folder
    // for side-car files, which matters in folders of many tiles. Throws
    // TerrainError when GDAL cannot open it or it has no georeference.
    DemRaster(const std::string& gdalPath, std::string name, bool noSiblings = false);
    ~DemRaster();
    DemRaster(const DemRaster&) = delete;
    DemRaster& operator=(const DemRaster&) = delete;

    // One look-up on its own; a RasterReader is faster for many.
    Sample sample(double latDeg, double lonDeg) const;
    Sample sample(double latDeg, double lonDeg, RasterReader& reader) const;
    // Whether the point lies among the posts, valid or not.
    bool covers(double latDeg, double lonDeg) const;
    bool covers(double latDeg, double lonDeg, RasterReader& reader) const;
    // The finer of the two post spacings, in metres along the meridian at
    // `latDeg` for a geographic raster, in the CRS's metres otherwise.
    double postSpacingM(double latDeg) const;
    // Whether postSpacingM gives the same at every latitude as `other`'s.
    bool spacedAs(const DemRaster& other) const;
    const std::string& name() const { return name_; }

private:
    friend class RasterReader;
    friend class DatasetPool;
    struct Posts {
        bool inside = false;
        long col = 0, row = 0;  // the post to the upper left
        double fx = 0, fy = 0;  // fractions towards the next column and row
    };
    Posts locate(double latDeg, double lonDeg, OGRCoordinateTransformation* transform) const;
    bool postsAround(double x, double y, Posts& posts) const;  // x, y in the raster's CRS
    std::shared_ptr<const PostBlock> block(long key) const;
    std::shared_ptr<const PostBlock> readBlock(long key) const;  // with io_ held
    void openDataset() const;                                     // with io_ held
    void readGeometry();                                          // with io_ held
    Sample interpolate(const Posts& p, RasterReader& reader) const;
    std::unique_ptr<OGRCoordinateTransformation, void (*)(OGRCoordinateTransformation*)> cloneTransform() const;
    double finestStep() const;  // in the CRS's units

    std::string name_;
    std::string gdalPath_;
    bool noSiblings_ = false;
    // The dataset and everything done with it, under io_.
    mutable std::mutex io_;
    mutable std::unique_ptr<GDALDataset, void (*)(GDALDataset*)> dataset_;
    mutable std::list<const DemRaster*>::iterator poolEntry_;  // under the pool's lock
    mutable bool pooled_ = false;
    std::unique_ptr<OGRCoordinateTransformation, void (*)(OGRCoordinateTransformation*)> toRaster_;
    mutable std::mutex transformLock_;  // a transformation is not safe to share
    bool geographic_ = true;
    double linearUnitM_ = 1;
    std::array<double, 6> inverse_{};  // CRS to pixel
    std::array<double, 6> forward_{};  // pixel to CRS
    long width_ = 0, height_ = 0;
    long blocksAcross_ = 1;
    double scale_ = 1, offset_ = 0;
    bool hasNodata_ = false;
    float nodata_ = 0;
    bool wholeMetres_ = false;  // posts kept as int16: an Int16 band without scale or offset
    bool hasNodata16_ = false;
    std::int16_t nodata16_ = 0;
};

// One thread's way into one raster: the blocks it is reading, and its own
// copy of the coordinate transformation. Not to be shared between threads.
class RasterReader {
public:
    explicit RasterReader(const DemRaster& raster);
    ~RasterReader();
    RasterReader(RasterReader&&) noexcept;
    RasterReader& operator=(RasterReader&&) noexcept;
    const DemRaster* raster() const { return raster_; }

private:
    friend class DemRaster;
    // Consecutive points mostly read the block the last one read.
    const PostBlock& block(long key) { return key == keys_[0] ? *blocks_[0] : swapIn(key); }
    const PostBlock& swapIn(long key);

    const DemRaster* raster_;
    std::unique_ptr<OGRCoordinateTransformation, void (*)(OGRCoordinateTransformation*)> transform_;
    // The last two blocks, so that a path along a block's edge does not swap.
    std::array<std::shared_ptr<const PostBlock>, 2> blocks_;
    std::array<long, 2> keys_{-1, -1};
};

}  // namespace tropolink::terrain
