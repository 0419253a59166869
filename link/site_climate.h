#pragma once

#include <filesystem>
#include <memory>
#include <optional>
#include <string>

#include "climate/lookup.h"
#include "climate/map_set.h"
#include "ground/site_profile.h"
#include "profile/horizon.h"

namespace tropolink {

// Where a climate value came from.
enum class ClimateSource { Map, Option, Default };
std::string_view climateSourceName(ClimateSource source);  // "map", "option", "default"

struct ClimateValue {
    double value = 0;
    ClimateSource source = ClimateSource::Default;
    std::string where{};          // "midpoint" or "common volume"; empty unless from the map
    terrain::Site at{};           // the point it was taken at, when from the map
    std::filesystem::path file{};  // the map it was read from, when from the map
};

// What the user gave explicitly; each wins over the maps.
struct ClimateRequest {
    std::optional<double> deltaN;  // N-units/km: the radius and P.617's term
    std::optional<double> n0;      // N-units
    std::optional<int> climateZone;  // the tool's 1 to 7
    bool surfaceRefractivitySet = false;  // --set surface-refractivity: the slider stays as set
    double defaultDeltaN = 40;
    int defaultClimateZone = 6;
    double defaultN0 = 0;  // the surface refractivity slider's value
};

// The range of --delta-n, which a map's value may leave.
inline constexpr double kMinMapDeltaN = 20;
inline constexpr double kMaxMapDeltaN = 80;

// The climate maps a computation reads, shared and never changed while it
// runs; none when they are not installed.
using MapsInUse = std::shared_ptr<const climate::MapSet>;

// The ITU-R methods' view of a path with sites: the radius from ΔN at the
// midpoint, the whole-path horizons on it, the common volume where their rays
// cross, and N0, ΔN and the zone taken there (at the midpoint on a
// line-of-sight path, for the record only).
struct SiteClimate {
    std::optional<std::filesystem::path> mapsFolder;  // where the maps came from; none without maps
    ClimateValue deltaNRadius;  // N-units/km, at the midpoint: gives the radius
    double effectiveEarthRadiusKm = 0;
    profile::Horizon horizon1;  // on that radius, anywhere on the path
    profile::Horizon horizon2;
    bool lineOfSight = false;
    std::optional<PathPlace> commonVolume;  // the ground under the crossing of the horizon rays
    terrain::Site midpoint;
    ClimateValue n0;
    ClimateValue deltaN;          // of P.617's terms
    ClimateValue climateZone;     // the tool's 1 to 7
    std::optional<int> zoneCode;  // the map's 0 to 6, when from the map
    // The calculator's surface refractivity slider from N0, when N0 came from
    // the map or --n0 and the slider was not set explicitly.
    std::optional<int> surfaceRefractivityPosition;
    std::string surfaceRefractivityNote;  // when holding it to the slider's range changed it
    std::string deltaNNote;               // when a map's delta-N lies outside --delta-n's range
};

SiteClimate siteClimate(const PlacedProfile& placed, const profile::ProfileSettings& settings,
                        const ClimateRequest& request, const MapsInUse& maps);

}  // namespace tropolink
