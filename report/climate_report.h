#pragma once

#include <string>

#include "link/site_climate.h"

namespace tropolink {

// The climate values of a path with sites, each with its source: the map
// file and the point it was taken at, an option, or the default.
void appendClimateText(std::string& out, const SiteClimate& climate);

// The same as one JSON object, for the "climate" member.
std::string climateJson(const SiteClimate& climate);

}  // namespace tropolink
