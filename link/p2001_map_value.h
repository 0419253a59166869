#pragma once

#include <string_view>

#include "p2001/map_lookups.h"

// A value the complete P.2001 read from one of its maps, and where: light
// enough for every front end's headers (the method's own stay out of them).
namespace tropolink {

enum class ZoneSource { Column, Derived };

struct P2001MapValue {
    p2001::MapFile file;
    p2001::MapSite site;
    p2001::GeoPoint at;
    double value = 0;
};

// "the path's mid-point" and so on.
std::string_view mapSiteName(p2001::MapSite site);

}  // namespace tropolink
