#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "engine/headless_window.h"
#include "engine/recalculate.h"
#include "grammar/settings.h"
#include "ground/site_profile.h"
#include "itur/availability.h"
#include "link/availability_options.h"
#include "link/site_climate.h"
#include "profile/profile_settings.h"

namespace tropolink {

// The note for a path with sites when no maps are installed.
inline constexpr std::string_view kMissingMapsNote =
    "the ITU-R maps would give N0, delta-N and the climate zone of this path; the defaults stand in for them "
    "(install the maps with: tropolink-cli maps download, or maps import ZIP)";

// What `profile` computes for one ground: the derived settings, with sites
// the places and climate, the pass, and the ITU-R methods when asked for.
struct ProfileAnswer {
    profile::ProfileSettings derived;
    std::optional<PathPlaces> places;    // with sites
    std::optional<SiteClimate> climate;  // with sites
    std::string settingsLine;            // the settings as --batch reads them
    PassValues values;
    std::optional<itur::ItuLink> link;  // with the availability
    std::optional<itur::AvailabilityAnswer> availability;
};

// The ground the answer is for: its points, placed on the earth when sites are given.
struct ProfileGround {
    std::span<const profile::ProfilePoint> points;
    const PlacedProfile* placed = nullptr;
};

// The climate (maps, the options' values, defaults) and the pass on
// `derived`, which profile::deriveSettings gave for `ground`; N0 sets the
// surface refractivity slider of `requested` unless it was set there. The
// boxes are left in `window`. Throws NumericFault.
ProfileAnswer answerPass(const ProfileGround& ground, const profile::ProfileSettings& derived,
                         SettingsBuilder requested, const AvailabilityOptions& options, const MapsInUse& maps,
                         HeadlessWindow& window);

// Adds the ITU-R methods to the answer, on the profile's geometry.
void addMethods(ProfileAnswer& answer, const ProfileGround& ground, const AvailabilityOptions& options);

// The pass and, with `availability`, the methods.
ProfileAnswer answerProfile(const ProfileGround& ground, const profile::ProfileSettings& derived,
                            SettingsBuilder requested, const AvailabilityOptions* availability,
                            const MapsInUse& maps, HeadlessWindow& window);

}  // namespace tropolink
