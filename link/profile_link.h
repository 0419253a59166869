#pragma once

#include <array>
#include <optional>
#include <span>
#include <string>

#include "engine/recalculate.h"
#include "grammar/settings.h"
#include "itur/availability.h"
#include "link/availability_options.h"
#include "link/site_climate.h"
#include "profile/profile_settings.h"

namespace tropolink {

// The sliders that a profile sets: both stations' antenna height, obstruction
// height and obstruction distance, and the path distance.
inline constexpr std::array<Slider, 7> kProfileSliders{profile::kStation1Sliders.antennaHeight,
                                                       profile::kStation1Sliders.obstructionHeight,
                                                       profile::kStation1Sliders.obstructionDistance,
                                                       profile::kStation2Sliders.antennaHeight,
                                                       profile::kStation2Sliders.obstructionHeight,
                                                       profile::kStation2Sliders.obstructionDistance,
                                                       profile::kPathDistanceSlider};

bool isProfileSlider(Slider slider);

// The pass's settings: the profile's sliders, then the requested ones.
Settings profileSettings(const profile::ProfileSettings& p, const SettingsBuilder& requested);

// The same settings as one line of words that --batch reads, in slider order,
// as alias=value, then power-div-1000 if ticked.
std::string settingsLine(const profile::ProfileSettings& p, const SettingsBuilder& requested);
// The requested settings alone, the same way: what a path without a profile sets.
std::string settingsLine(const SettingsBuilder& requested);

// The ITU-R link of a pass on the profile's exact geometry instead of the
// sliders': the horizon angles, antenna heights, path distance and the ground
// under the crossing of the horizon rays.
itur::ItuLink profileLink(const PassValues& values, const AvailabilityOptions& options,
                          std::span<const profile::ProfilePoint> points, const profile::ProfileSettings& p);

// The ITU-R link of a pass on a path with sites: the radius, horizons,
// common volume, N0, ΔN and zone of `climate` instead of the sliders'.
itur::ItuLink siteLink(const PassValues& values, const AvailabilityOptions& options, const SiteClimate& climate,
                       const profile::ProfileSettings& p);

}  // namespace tropolink
