#pragma once

#include "link/availability_options.h"
#include "engine/recalculate.h"
#include "itur/availability.h"

namespace tropolink {

// The link of the ITU-R methods from a pass's settings (after its zero
// replacements): sites, frequency, gains, N0, and the options.
itur::ItuLink ituLink(const PassValues& values, const AvailabilityOptions& options);

// Each station's radiated power and sensitivity, as the pass computed them.
itur::LinkBudget linkBudget(const PassValues& values);

// Both methods at every requested percentage, and the availabilities when a
// signal-to-noise is required.
itur::AvailabilityAnswer availabilityAnswer(const PassValues& values, const AvailabilityOptions& options);

}  // namespace tropolink
