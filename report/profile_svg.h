#pragma once

#include <span>
#include <string>
#include <string_view>

#include "engine/recalculate.h"
#include "profile/profile_settings.h"

namespace tropolink {

struct ProfilePicture {
    std::span<const profile::ProfilePoint> points;
    const profile::ProfileSettings& settings;
    const PassValues& values;
    std::string_view settingsLine;
};

// A self-contained SVG picture of the path: the ground over a curved earth
// with an exaggerated vertical scale, both antennas, their horizon rays up to
// where they cross, the horizon points and the direct line between the antennas.
std::string profileSvg(const ProfilePicture& picture);

}  // namespace tropolink
