#pragma once

#include <optional>
#include <span>
#include <string>
#include <vector>

#include "profile/profile_csv.h"
#include "profile/profile_settings.h"
#include "terrain/map_features.h"
#include "terrain/path_profile.h"
#include "terrain/site.h"

namespace tropolink {

// A terrain profile placed on the earth: the points the horizon search reads,
// and where each lies. `path` holds the geodesic's length and azimuths and
// each point's latitude and longitude; with a DEM also the step, the files
// read and the points a fill set.
struct PlacedProfile {
    terrain::Site site1;
    terrain::Site site2;
    std::vector<profile::ProfilePoint> points;
    terrain::PathProfile path;
    bool fromDem = false;
};

// The profile written by --write-profile starts with this header line, so its
// points stand on lines 2, 3, ...; the rows of a DEM profile are numbered the
// same way, and the file reads back to the same horizons, row numbers included.
inline constexpr std::string_view kProfileCsvHeader = "distance_km,height_m";
inline constexpr long kFirstPointRow = 2;

// The ground between two sites, read from the DEMs. Throws terrain::TerrainError.
PlacedProfile profileFromDems(std::span<const std::string> dems, terrain::Site site1, terrain::Site site2,
                              const terrain::ProfileOptions& options);

// A profile from a file, its points laid along the geodesic at their
// distances. Throws profile::ProfileError when its last distance differs from
// the geodesic's length by more than 1 %, and terrain::TerrainError for sites
// that make no path.
PlacedProfile placeProfile(std::vector<profile::ProfilePoint> points, terrain::Site site1, terrain::Site site2);

// The profile as the CSV that `profile FILE` reads: the header, then
// "distance,height" at full precision, one point a line.
std::string profileCsv(std::span<const profile::ProfilePoint> points);

// A point of the path with its place on the earth.
struct PathPlace {
    double distanceKm = 0;  // from station 1
    terrain::Site site;
    double groundM = 0;  // above sea level
};

// A horizon closer than this to its antenna usually means the mast stands on
// ground the DEM gives too low, or beside a slope or building.
inline constexpr double kNearHorizonKm = 1;

// Where the horizons and the common volume (the ground under the crossing of
// the horizon rays) lie; no common volume on a line-of-sight path.
struct PathPlaces {
    PathPlace horizon1;
    PathPlace horizon2;
    std::optional<PathPlace> commonVolume;
    bool horizon1Near = false;  // within kNearHorizonKm of its antenna
    bool horizon2Near = false;
};

PathPlaces pathPlaces(const PlacedProfile& placed, const profile::ProfileSettings& settings);

// The path's features for a map: the line, both sites, both horizons and,
// off a line-of-sight path, the common volume.
std::vector<terrain::MapFeature> pathFeatures(const PlacedProfile& placed, const PathPlaces& places);

}  // namespace tropolink
