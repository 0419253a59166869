#pragma once

#include <memory>

#include "climate/map_format.h"
#include "climate/map_set.h"
#include "p2001/map_lookups.h"

// The complete P.2001 method's map values from the installed maps.
namespace tropolink {

// The climate map that holds one of the method's 14.
climate::MapKind p2001MapKind(p2001::MapFile file);

// Reads the 14 maps of `maps` (a MapSetId::P2001All set from the maps
// service), each by its own look-up. The reader holds the set, so it stays
// valid however long it is kept, and may be called from many threads.
// Throws std::invalid_argument when `maps` is null or lacks one of the 14.
p2001::MapReader p2001MapReader(std::shared_ptr<const climate::MapSet> maps);

}  // namespace tropolink
