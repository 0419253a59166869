#pragma once

#include <string>

#include "engine/path_geometry.h"
#include "link/availability_options.h"
#include "itur/availability.h"

namespace tropolink {

// The readable form of an availability answer: the geometry, one row per
// percentage with a column group per method, then the availability lines.
void appendAvailabilityTable(std::string& out, const itur::AvailabilityAnswer& answer,
                             const AvailabilityOptions& options);

// The same, with a line beside the geometry that sets the calculator's scatter
// angle on its own earth against the methods' one, since the two radii differ.
void appendAvailabilityTable(std::string& out, const itur::AvailabilityAnswer& answer,
                             const AvailabilityOptions& options, const PathGeometry& calculator);

}  // namespace tropolink
