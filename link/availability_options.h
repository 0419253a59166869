#pragma once

#include <optional>
#include <string>
#include <vector>

#include "itur/fading_figures.h"
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
    std::vector<std::string> diversityOrder;
    std::vector<std::string> combiner;
    std::vector<std::string> branchCorrelation;
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
    // Fading within the hour, when any diversity option is given: the figures
    // beside the hourly-median-only ones.
    std::optional<itur::FadingRequest> fading;
};

const std::vector<double>& defaultPercents();  // 50, 90, 99, 99.9, 99.99

// Throws InputError naming the option, its value and what is allowed.
double percentOption(const std::string& text);
// "1", "2" or "4"; "selection" or "maximal-ratio". `name` is how the input is
// shown: "--diversity-order" or "diversity.order =".
int diversityOrderOption(std::string_view name, const std::string& text);
itur::Combiner combinerOption(std::string_view name, const std::string& text);
// A branch correlation other than 0 needs dual diversity. `correlationInput`
// is the correlation as given ("--branch-correlation 0.5"), `orderName` how
// the order is named.
void requireDualForCorrelation(const itur::Diversity& diversity, std::string_view correlationInput,
                               std::string_view orderName);
AvailabilityOptions validateAvailabilityOptions(const AvailabilityArguments& arguments);

}  // namespace tropolink
