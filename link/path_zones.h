#pragma once

#include <span>
#include <vector>

#include "link/p2001_map_value.h"
#include "profile/profile_csv.h"

// The zones along a path (sea, coastal land, inland), for the complete P.2001
// and for the profile picture that shades them.
namespace tropolink {

struct PathZones {
    std::vector<int> zone;  // one a point: 1 sea, 3 coastal land, 4 inland
    ZoneSource source = ZoneSource::Derived;
};

// The profile's zone column when it has one, else the zones its heights give.
PathZones pathZones(std::span<const profile::ProfilePoint> points);

}  // namespace tropolink
