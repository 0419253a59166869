#pragma once

#include <string>

#include "link/availability_options.h"
#include "itur/availability.h"

namespace tropolink {

// The readable form of an availability answer: the geometry, one row per
// percentage with a column group per method, then the availability lines.
void appendAvailabilityTable(std::string& out, const itur::AvailabilityAnswer& answer,
                             const AvailabilityOptions& options);

}  // namespace tropolink
