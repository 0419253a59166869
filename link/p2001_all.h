#pragma once

#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "link/p2001_map_value.h"
#include "link/path_zones.h"
#include "p2001/map_lookups.h"
#include "p2001/path_input.h"
#include "p2001/prepared_path.h"
#include "p2001/row.h"
#include "profile/profile_csv.h"
#include "terrain/site.h"

// The complete P.2001 over one path as the front ends describe it: the
// profile with its zones (a zone column, or the rule of p2001/profile_zones.h),
// the two stations, the map values with where each was read, and a table of
// rows, frequency outer.
namespace tropolink {

struct P2001AllSettings {
    std::vector<double> frequencyMhz;
    std::vector<double> percents;
    double mast1M = 0;  // above the ground at each station
    double mast2M = 0;
    double gain1Dbi = 0;  // towards the other station
    double gain2Dbi = 0;
    p2001::Polarisation polarisation = p2001::Polarisation::Vertical;
};

// A profile given to the method needs more points than this.
inline constexpr std::size_t kP2001AllMinPointsExclusive = 10;

// The note that comes with derived zones: the rule, the path's fraction over
// sea (0 to 1), land below sea level counted as sea, a zone column overriding it.
std::string derivedZonesNote(double seaFraction);

// The value of one of the 14 maps at a point; called from one thread.
using P2001MapValueReader = p2001::MapReader;

struct P2001AllPath {
    std::string name;  // the profile file's name, or the DEM route's description
    p2001::PreparedPath path;
    ZoneSource zoneSource = ZoneSource::Derived;
    std::vector<P2001MapValue> mapValues;  // in the method's order; empty when the values were given
    std::string mapsSource;                // the maps' folder, or "given"
};

// The method's input from a profile between two sites.
p2001::PathInput p2001AllInput(std::span<const profile::ProfilePoint> points, std::span<const int> zones,
                               const terrain::Site& site1, const terrain::Site& site2,
                               const P2001AllSettings& settings);

// Every map value of the path from `read` (DN_Median at the mid-point first,
// since it places the others), each with where it was read.
std::vector<P2001MapValue> readP2001MapValues(const p2001::PathInput& input, const P2001MapValueReader& read);
p2001::MapValues collectMapValues(std::span<const P2001MapValue> values);

// Checks the settings' frequencies, percentages and masts as the method
// would for every path. Throws p2001::InputError naming the first out of its domain.
void checkP2001AllSettings(const P2001AllSettings& settings);

// Rows of the path, frequency outer: rowCount = frequencies × percentages.
std::vector<p2001::Row> p2001AllRows(const p2001::PreparedPath& path, const P2001AllSettings& settings);

// The Note flags of the path and its rows, each once, in flag order.
std::vector<p2001::Note> p2001AllNotes(const p2001::PreparedPath& path, std::span<const p2001::Row> rows);

}  // namespace tropolink
