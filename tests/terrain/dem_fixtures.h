#pragma once

#include <array>
#include <cmath>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>

// Synthetic elevation models written by the tests, so that every expected
// height is known exactly.
namespace tropolink::terrain::fixtures {

namespace fs = std::filesystem;

inline constexpr int kPosts3 = 1201;  // a 3" SRTM tile is this many posts square
inline constexpr double kVoid = NAN;  // a surface gives this where the DEM is to have nodata

// Height in metres at a post, from its latitude and longitude (or x, y).
using Surface = std::function<double(double, double)>;

// A fresh folder, removed with everything in it.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const fs::path& path() const { return path_; }
    fs::path operator/(const std::string& name) const { return path_ / name; }

private:
    fs::path path_;
};

// Raw SRTM bytes for the tile whose south-west corner is (lat, lon): rows
// from north to south, big-endian int16, heights rounded, voids -32768.
std::string hgtBytes(int latDeg, int lonDeg, const Surface& surface, int posts = kPosts3);
// Writes FOLDER/N44W072.hgt (the name from the corner) and returns its path.
fs::path writeHgtTile(const fs::path& folder, int latDeg, int lonDeg, const Surface& surface,
                      const std::string& suffix = ".hgt");
// Writes FOLDER/N44W072.hgt.zip, the tile zipped through GDAL's /vsizip/.
fs::path writeHgtZip(const fs::path& folder, int latDeg, int lonDeg, const Surface& surface);

struct GeoTiff {
    int width = 0;
    int height = 0;
    std::array<double, 6> geoTransform{};  // GDAL's: x0, dx, 0, y0, 0, dy
    int epsg = 4326;                       // 0: no coordinate system and no geotransform
    Surface surface;                       // of the CRS's x and y at the pixel centre
    std::optional<double> nodata;
};
void writeGeoTiff(const fs::path& file, const GeoTiff& tiff);

}  // namespace tropolink::terrain::fixtures
