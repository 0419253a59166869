#pragma once

#include <string>
#include <variant>

#include "terrain/dem_set.h"
#include "terrain/path_profile.h"
#include "terrain/terrain_error.h"

// The profile route written the obvious way, point by point through the
// library's public pieces: GeodesicPath::at for every position, a fresh
// DemSet::heightAt for every height, and a full probe of the path every
// kilometre for the default step. Whatever the library does to go faster
// must give these bits, these reports and these messages.
namespace tropolink::terrain::obvious {

struct Refusal {
    std::string message;
    TerrainError::Kind kind;
};

std::variant<PathProfile, Refusal> route(const DemSet& dems, Site from, Site to, const ProfileOptions& options);

}  // namespace tropolink::terrain::obvious
