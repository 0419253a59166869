#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "terrain/dem_set.h"
#include "terrain/site.h"

namespace tropolink::terrain {

class DemSampler;
class GeodesicPath;

inline constexpr double kMinPathKm = 1;
inline constexpr double kMaxPathKm = 2000;
inline constexpr double kMinStepM = 1;
inline constexpr double kMaxStepM = 10000;

struct ProfileOptions {
    std::optional<double> stepM;  // none: the finest post spacing of the DEMs the path meets
    bool seaWhereMissing = false;  // points no DEM holds are at 0 m instead of an error
    bool fillVoids = false;        // void points are interpolated along the path instead of an error
};

struct GapPoint {
    double distanceKm = 0;  // from site 1
    double latDeg = 0;
    double lonDeg = 0;
};

// The points a fill set, and the first of them.
struct GapReport {
    std::size_t count = 0;
    std::optional<GapPoint> first;
};

struct PathProfile {
    std::vector<double> distanceKm;  // 0, s, 2s, ... and the length
    std::vector<double> heightM;     // ground, above sea level
    std::vector<double> latDeg;
    std::vector<double> lonDeg;
    double lengthKm = 0;
    double azimuth1Deg = 0;  // forward azimuth at site 1
    double azimuth2Deg = 0;  // forward azimuth at site 2
    double stepM = 0;
    std::vector<std::string> demFilesUsed;  // in the order the path first met them
    GapReport sea;
    GapReport voids;
};

// The ground along the WGS84 geodesic from `from` to `to`, a point every
// step and one at `to`. Throws TerrainError for identical sites, a path
// shorter than 1 km or longer than 2000 km, a step outside 1 to 10000 m or
// one that needs more than 100 000 points, a DEM height no ground has, and
// for a gap (a void, or a point no DEM holds) that no option fills.
// Many threads may compute profiles on one DemSet at once.
PathProfile computeProfile(const DemSet& dems, Site from, Site to, const ProfileOptions& options = {});
// The same through a sampler the thread keeps from one profile to the next.
PathProfile computeProfile(DemSampler& sampler, Site from, Site to, const ProfileOptions& options = {});
// The same along a path already solved, into a profile whose memory is used
// again; what it holds after a throw is unspecified.
void computeProfile(DemSampler& sampler, const GeodesicPath& path, const ProfileOptions& options, PathProfile& profile);

}  // namespace tropolink::terrain
