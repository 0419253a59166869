#pragma once

#include <array>
#include <cstddef>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

class GDALDataset;
class OGRCoordinateTransformation;

namespace tropolink::terrain {

// One elevation raster opened through GDAL. Each value is a post at its
// pixel's centre; a point's height is the bilinear interpolation of the four
// posts around it. Posts are read a block at a time, when first needed, and
// kept, so repeated look-ups cost no I/O.
class DemRaster {
public:
    enum class Status {
        Ok,       // the four posts are valid
        Void,     // the point is inside, but a post is nodata
        Outside,  // the raster has no four posts around the point
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

    Sample sample(double latDeg, double lonDeg);
    // Whether the point lies among the posts, valid or not.
    bool covers(double latDeg, double lonDeg) const;
    // The finer of the two post spacings, in metres along the meridian at
    // `latDeg` for a geographic raster, in the CRS's metres otherwise.
    double postSpacingM(double latDeg) const;
    const std::string& name() const { return name_; }

private:
    struct Posts {
        bool inside = false;
        long col = 0, row = 0;   // the post to the upper left
        double fx = 0, fy = 0;   // fractions towards the next column and row
    };
    Posts locate(double latDeg, double lonDeg) const;
    const std::vector<float>& block(long blockCol, long blockRow);
    float post(long col, long row);

    std::string name_;
    std::unique_ptr<GDALDataset, void (*)(GDALDataset*)> dataset_;
    std::unique_ptr<OGRCoordinateTransformation, void (*)(OGRCoordinateTransformation*)> toRaster_;
    bool geographic_ = true;
    double linearUnitM_ = 1;
    std::array<double, 6> inverse_{};  // CRS to pixel
    std::array<double, 6> forward_{};  // pixel to CRS
    long width_ = 0, height_ = 0;
    long blockWidth_ = 0, blockHeight_ = 0;
    double scale_ = 1, offset_ = 0;
    bool hasNodata_ = false;
    float nodata_ = 0;
    std::unordered_map<long, std::vector<float>> blocks_;
    long lastBlockKey_ = -1;
    const std::vector<float>* lastBlock_ = nullptr;
};

}  // namespace tropolink::terrain
