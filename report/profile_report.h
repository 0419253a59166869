#pragma once

#include <array>
#include <optional>
#include <string>

#include "engine/headless_window.h"
#include "grammar/settings.h"
#include "itur/availability.h"
#include "profile/profile_settings.h"
#include "report/box_writers.h"

namespace tropolink {

// The horizon of each station: its row, the exact distance from that station, height and angle,
// the angle on the slider grid and the difference, one line per station.
void appendHorizonTable(std::string& out, const profile::ProfileSettings& p);

// {"settings": {...}, "horizon": {...}, "boxes": {...}} on one line, and
// "availability" after them when `availability` is given.
// JSON objects of a profile placed on the earth, each empty when there is none.
struct ProfileJsonExtras {
    std::string path;
    std::string climate;
    bool boxesLeftOut = false;  // "boxes": null
};

void appendProfileJson(std::string& out, const profile::ProfileSettings& p, const BoxTexts& boxes,
                       const itur::AvailabilityAnswer* availability, const ProfileJsonExtras& extras = {});

}  // namespace tropolink
