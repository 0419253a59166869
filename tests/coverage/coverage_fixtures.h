#pragma once

#include <cmath>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "coverage/coverage_cells.h"
#include "coverage/p2001_method.h"
#include "coverage/troposcatter_method.h"
#include "dem_fixtures.h"
#include "terrain/dem_set.h"

// Ground, maps and methods for the coverage tests: a synthetic 3" tile of
// hills falling to a sea in its east, map values that change from place to
// place, and the map's setup around a site on it.
namespace tropolink::coverage::testing_support {

namespace fs = std::filesystem;
using terrain::fixtures::TempDir;

// On N44W072: hills, and sea (0 m) east of 71.15 W; land below sea level in
// a hollow near 44.3 N 71.6 W.
double hills(double latDeg, double lonDeg);

// A folder holding N44W072 of `hills`, or of `surface`.
struct Tiles {
    Tiles();
    explicit Tiles(const terrain::fixtures::Surface& surface);
    TempDir dir;
    std::vector<std::string> paths;  // the folder, as --dem gives it
    terrain::DemSet dems;
};

inline constexpr terrain::Site kSite{44.5, -71.5};

// The 14 maps' values in a temperate climate, each nudged by the place it is read at.
P2001Maps placeDependentMaps();

P2001Settings p2001Settings(std::vector<double> percents = {50, 99.9});
TroposcatterSettings troposcatterSettings(itur::ItuMethod method, std::vector<double> percents = {50, 99.9});

// The map around kSite, or `site`.
CoverageSetup setupFor(const terrain::DemSet& dems, const PathMethod& method, double radiusKm, double cellM,
                       terrain::Site site = kSite);

// A band of a GeoTIFF, north row first.
std::vector<float> readBand(const std::string& path, int band);
// The GeoTIFF's metadata items of the default domain.
std::map<std::string, std::string> metadataOf(const std::string& path);
std::string fileBytes(const std::string& path);
// The files in a folder, by name.
std::vector<std::string> filesIn(const fs::path& folder);

}  // namespace tropolink::coverage::testing_support
