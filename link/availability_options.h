#pragma once

#include <optional>
#include <string>
#include <vector>

#include "itur/p2001_method.h"

namespace tropolink {

// The availability options as given, each occurrence kept so that a repeated
// option can be refused.
struct AvailabilityArguments {
    std::vector<std::string> percents;
    std::vector<std::string> deltaN;
    std::vector<std::string> n0;
    std::vector<std::string> groundHeightKm;
    std::vector<std::string> climateZone;
    std::vector<std::string> requiredSnr;
};

// The validated options.
struct AvailabilityOptions {
    std::vector<double> percents;  // in the order given
    double deltaN = 40;            // N-units/km
    bool deltaNGiven = false;      // else the maps' or the default
    std::optional<double> n0;      // N-units; none: the pass's surface refractivity (or the maps')
    bool climateZoneGiven = false;
    double groundHeightKm = 0;
    itur::ClimateZone climateZone = itur::ClimateZone::MaritimeTemperateOverLand;
    std::optional<double> requiredSnrDb;
};

const std::vector<double>& defaultPercents();  // 50, 90, 99, 99.9, 99.99

// Throws InputError naming the option, its value and what is allowed.
double percentOption(const std::string& text);
AvailabilityOptions validateAvailabilityOptions(const AvailabilityArguments& arguments);

}  // namespace tropolink
