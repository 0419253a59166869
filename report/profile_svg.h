#pragma once

#include <optional>
#include <span>
#include <string>

#include "engine/recalculate.h"
#include "profile/profile_settings.h"

namespace tropolink {

struct ProfilePicture {
    std::span<const profile::ProfilePoint> points;
    const profile::ProfileSettings& settings;
    const PassValues& values;
    std::optional<double> frequencyMhz;  // of the first Fresnel zone; none draws none
};

// A self-contained SVG picture of the path as link engineers draw it: heights
// on a straight axis with the effective earth's bulge added to the ground
// (shaded by zone: sea, coastal land, inland), an exaggerated vertical scale,
// both antennas, their horizon rays up to where they cross, the horizon points,
// the direct line between the antennas and the first Fresnel zone around it.
std::string profileSvg(const ProfilePicture& picture);

}  // namespace tropolink
