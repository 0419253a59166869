#pragma once

#include <array>
#include <optional>
#include <string>

#include "cli/settings.h"
#include "engine/headless_window.h"
#include "itur/availability.h"
#include "profile/profile_settings.h"

namespace tropolink::cli {

// The sliders that a profile sets: both stations' antenna height, obstruction
// height and obstruction distance, and the path distance.
inline constexpr std::array<Slider, 7> kProfileSliders{Slider::HScroll1,  Slider::HScroll2,  Slider::HScroll3,
                                                       Slider::HScroll11, Slider::HScroll12, Slider::HScroll13,
                                                       Slider::HScroll22};

bool isProfileSlider(Slider slider);

// The position the profile gives one of kProfileSliders; none for the others.
std::optional<int> profilePosition(const profile::ProfileSettings& p, Slider slider);

// One line of words that --batch reads: the profile's settings and the
// requested ones in slider order, as alias=value, then power-div-1000 if ticked.
std::string settingsLine(const profile::ProfileSettings& p, const SettingsBuilder& requested);

// The horizon of each station: its row, the exact distance, height and angle,
// the angle on the slider grid and the difference, one line per station.
void appendHorizonTable(std::string& out, const profile::ProfileSettings& p);

// {"settings": {...}, "horizon": {...}, "boxes": {...}} on one line, and
// "availability" after them when `availability` is given.
void appendProfileJson(std::string& out, const profile::ProfileSettings& p, const HeadlessWindow& window,
                       const itur::AvailabilityAnswer* availability);

}  // namespace tropolink::cli
