#include "link/profile_answer.h"

#include "link/availability_link.h"
#include "link/pass_window.h"
#include "link/profile_link.h"

namespace tropolink {
namespace {

SiteClimate climateOf(const PlacedProfile& placed, const profile::ProfileSettings& derived,
                      const SettingsBuilder& requested, const AvailabilityOptions& options, const MapsInUse& maps) {
    ClimateRequest cr;
    if (options.deltaNGiven) cr.deltaN = options.deltaN;
    cr.n0 = options.n0;
    if (options.climateZoneGiven) cr.climateZone = static_cast<int>(options.climateZone);
    cr.surfaceRefractivitySet = requested.isSet(Slider::HScroll23);
    cr.defaultN0 = requested.settings().positions[static_cast<std::size_t>(sliderIndex(Slider::HScroll23))];
    return siteClimate(placed, derived, cr, maps);
}

}  // namespace

ProfileAnswer answerPass(const ProfileGround& ground, const profile::ProfileSettings& derived,
                         SettingsBuilder requested, const AvailabilityOptions& options, const MapsInUse& maps,
                         HeadlessWindow& window) {
    ProfileAnswer a;
    a.derived = derived;
    if (ground.placed) {
        a.climate = climateOf(*ground.placed, derived, requested, options, maps);
        if (a.climate->surfaceRefractivityPosition)
            requested.assign("surface-refractivity=" + std::to_string(*a.climate->surfaceRefractivityPosition));
        a.places = pathPlaces(*ground.placed, derived);
        a.places->commonVolume = a.climate->commonVolume;
    }
    a.settingsLine = settingsLine(derived, requested);
    a.values = runPass(window, profileSettings(derived, requested));
    return a;
}

void addMethods(ProfileAnswer& a, const ProfileGround& ground, const AvailabilityOptions& options) {
    a.link = a.climate ? siteLink(a.values, options, *a.climate, a.derived)
                       : profileLink(a.values, options, ground.points, a.derived);
    a.availability =
        itur::answerAvailability(*a.link, linkBudget(a.values), options.percents, options.requiredSnrDb,
                                 options.fading);
}

ProfileAnswer answerProfile(const ProfileGround& ground, const profile::ProfileSettings& derived,
                            SettingsBuilder requested, const AvailabilityOptions* availability,
                            const MapsInUse& maps, HeadlessWindow& window) {
    // Without the methods their options are the defaults, which leave the maps' values standing.
    ProfileAnswer a = answerPass(ground, derived, std::move(requested), availability ? *availability : AvailabilityOptions{},
                                 maps, window);
    if (availability) addMethods(a, ground, *availability);
    return a;
}

}  // namespace tropolink
