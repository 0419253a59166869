#pragma once

#include <optional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "ground/site_profile.h"
#include "profile/profile_csv.h"
#include "profile/profile_settings.h"
#include "terrain/path_profile.h"
#include "terrain/site.h"

namespace tropolink {

// Where the ground between the stations comes from: the DEMs between two
// sites, or a profile CSV ("-": standard input), laid along the geodesic
// between the sites when they are given.
struct GroundSource {
    std::vector<std::string> dems{};
    std::optional<std::string> profileFile{};
    std::optional<std::pair<terrain::Site, terrain::Site>> sites{};
    terrain::ProfileOptions options{};  // how the DEMs are sampled
    bool ituLayout = false;             // the file may also be in the ITU's layout (profile/itu_profile.h)
};

// The ground as read: its points from station 1 to station 2 and, with
// sites, where each of them lies. A point carries what its source gives; what
// only some sources know (a zone from a map, say) is a member of its own with
// a default, so that every source still fills the rest alike.
struct Ground {
    std::string name;  // what messages call it: the profile file, or "the DEM profile"
    std::vector<profile::ProfilePoint> points;
    std::optional<PlacedProfile> placed;
};

// Ground that cannot be had: a DEM that does not cover the path, a refused
// row, a profile whose length is not the sites' distance, ground that gives
// no horizon. One line naming the file (and the row), what is wrong and what
// is allowed.
class GroundError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The name of the ground that DEMs give, in messages.
inline constexpr std::string_view kDemGroundName = "the DEM profile";

// Reads the ground. Throws GroundError, and std::system_error ("cannot read
// FILE: reason") when a profile file or standard input cannot be read.
Ground readGround(const GroundSource& source);

// The calculator's settings the ground gives with these masts above it.
// Throws GroundError naming the ground.
profile::ProfileSettings groundSettings(const Ground& ground, double mast1M, double mast2M);

}  // namespace tropolink
