#pragma once

#include <array>
#include <vector>

#include "itur/availability.h"

namespace tropolink {

// The methods whose loss depends on the climate zone.
inline constexpr std::array<itur::ItuMethod, 1> kZoneMethods{itur::ItuMethod::P2001};

// One method's availability at each receiving station had the path lain in
// `zone`, everything else as planned: what a zone taken by default may cost.
struct ZoneAvailability {
    itur::ClimateZone zone = itur::ClimateZone::MaritimeTemperateOverLand;
    itur::ItuMethod method = itur::ItuMethod::P2001;
    std::array<itur::StationAvailability, 2> stations;  // receiving station 1, 2
};

// Every zone 1 to 7 for each of kZoneMethods, zone by zone; the hourly median
// only, as the verdict's availability column.
std::vector<ZoneAvailability> zoneAvailabilities(const itur::ItuLink& link, const itur::LinkBudget& budget,
                                                 double requiredSnrDb);

}  // namespace tropolink
