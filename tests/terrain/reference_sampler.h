#pragma once

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "terrain/path_profile.h"
#include "terrain/site.h"

// A straightforward sampler, written apart from the library so that its
// heights can be held against the library's bit for bit: each point is read
// through GDAL, two posts by two, with no block, no cache and no sampler
// between, and the path is laid out from GeographicLib directly. It follows
// the documented rules: the first DEM whose four posts are valid wins, a
// folder's tile is N44W072.hgt (before .hgt.zip), a point on a whole degree
// lies on the edge posts of the tiles around it, nodata is a void.
namespace tropolink::terrain::reference {

enum class Kind { Ok, Void, Missing, Invalid };

struct Height {
    Kind kind = Kind::Missing;
    double heightM = 0;
};

class Sampler {
public:
    explicit Sampler(std::vector<std::string> paths);
    ~Sampler();
    Height heightAt(double latDeg, double lonDeg);

    struct Raster;

private:
    Raster* raster(const std::string& file);
    std::vector<std::string> candidates(const std::string& source, double latDeg, double lonDeg);

    std::vector<std::string> paths_;
    std::map<std::string, std::map<std::pair<int, int>, std::string>> folders_;
    std::map<std::string, std::unique_ptr<Raster>> rasters_;
};

struct Profile {
    std::vector<double> distanceKm, heightM, latDeg, lonDeg;
};

// The profile the library is to give, or none where it is to refuse: a path
// outside 1 to 2000 km or of more than 100 000 points, a gap no option fills,
// a height no ground has.
std::optional<Profile> profile(Sampler& sampler, Site from, Site to, double stepM, const ProfileOptions& options);

}  // namespace tropolink::terrain::reference
