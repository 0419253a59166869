#pragma once

#include <string>
#include <vector>

#include "ground/site_profile.h"

namespace tropolink {

// The text block of a profile placed on the earth: both sites with their
// ground, the length and azimuths, where the ground came from, where the
// horizons and the common volume lie, the points a fill set, and a warning
// for a horizon next to its antenna.
void appendPathText(std::string& out, const PlacedProfile& placed, const PathPlaces& places);

// The same as one JSON object, for the "path" member.
std::string pathJson(const PlacedProfile& placed, const PathPlaces& places);

// The warnings of the path: a horizon next to its antenna.
std::vector<std::string> pathWarnings(const PathPlaces& places);

}  // namespace tropolink
