#pragma once

#include <optional>
#include <string>
#include <vector>

#include "cli/run_result.h"
#include "ground/site_profile.h"
#include "link/site_climate.h"

namespace tropolink::cli {

// The options of `profile` that place a path on the earth.
struct SiteArguments {
    std::optional<std::string> from;  // LAT,LON of station 1
    std::optional<std::string> to;
    std::vector<std::string> dems;    // --dem PATH, in order
    std::optional<std::string> stepM;
    int seaWhereMissingCount = 0;
    int fillVoidsCount = 0;
    std::optional<std::string> writeProfile;
    std::optional<std::string> kml;
    std::optional<std::string> geojson;
    std::optional<std::string> maps;  // --maps DIR
};

// The checked site options; `sites` when --from and --to were given.
struct SiteOptions {
    std::optional<std::pair<terrain::Site, terrain::Site>> sites;
    terrain::ProfileOptions profile;
};

// Checks how the ground is given: a FILE, or --from, --to and --dem; the
// options of one route refused with the other. Throws InputError, and
// terrain::TerrainError for a malformed site.
SiteOptions checkSiteArguments(const SiteArguments& a, const std::optional<std::string>& file);

// The climate maps for a path with sites, from the maps service: --maps,
// else the usual places. None, with one line on standard error saying what
// they would give, when none are installed; a refused map is an error (exit
// status 2).
RunResult loadClimateMaps(const std::optional<std::string>& mapsOption, MapsInUse& maps);

// The path's features (the line, both sites, both horizons and the common
// volume) as --kml and --geojson name them: KML and GeoJSON whatever the
// files' names, an option not given left empty. Throws terrain::TerrainError.
std::vector<std::string> pathFeatureTexts(const SiteArguments& a, const PlacedProfile& placed, const PathPlaces& places);

}  // namespace tropolink::cli
