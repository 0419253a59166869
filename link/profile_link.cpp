#include "link/profile_link.h"

#include <algorithm>

#include "link/availability_link.h"
#include "profile/rays.h"

namespace tropolink {

bool isProfileSlider(Slider slider) {
    return std::find(kProfileSliders.begin(), kProfileSliders.end(), slider) != kProfileSliders.end();
}

Settings profileSettings(const profile::ProfileSettings& p, const SettingsBuilder& requested) {
    Settings settings = requested.settings();
    for (const Slider slider : kProfileSliders)
        settings.positions[static_cast<std::size_t>(sliderIndex(slider))] = *profile::sliderPosition(p, slider);
    return settings;
}

namespace {

// The sliders the profile fixes (none without one), then those requested.
std::string lineOfSettings(const profile::ProfileSettings* p, const SettingsBuilder& requested) {
    std::string line;
    for (std::size_t i = 0; i < kAliases.size(); ++i) {
        const Slider slider = kAliases[i].slider;
        std::optional<int> position = p ? profile::sliderPosition(*p, slider) : std::nullopt;
        if (!position && requested.isSet(slider)) position = requested.settings().positions[i];
        if (!position) continue;
        if (!line.empty()) line += ' ';
        line += kAliases[i].name;
        line += '=';
        line += shownValue(*position, kSliders[i].positionsPerUnit);
    }
    if (requested.settings().powerDividedBy1000) {
        if (!line.empty()) line += ' ';
        line += kPowerDividedBy1000Word;
    }
    return line;
}

}  // namespace

std::string settingsLine(const profile::ProfileSettings& p, const SettingsBuilder& requested) {
    return lineOfSettings(&p, requested);
}

std::string settingsLine(const SettingsBuilder& requested) { return lineOfSettings(nullptr, requested); }

itur::ItuLink profileLink(const PassValues& values, const AvailabilityOptions& options,
                          std::span<const profile::ProfilePoint> points, const profile::ProfileSettings& p) {
    itur::ItuLink link = ituLink(values, options);
    link.geometry.distanceKm = p.distanceKm;
    link.geometry.thetaTMrad = p.station1.horizon.angleMrad;
    link.geometry.thetaRMrad = p.station2.horizon.angleMrad;
    link.geometry.antennaHeight1M = p.station1.antennaHeightM;
    link.geometry.antennaHeight2M = p.station2.antennaHeightM;
    if (const auto crossing = profile::horizonRaysCrossing(p))
        link.groundHeightKm = std::max(0.0, profile::groundHeightAtM(points, crossing->distanceKm)) / 1000;
    return link;
}

itur::ItuLink siteLink(const PassValues& values, const AvailabilityOptions& options, const SiteClimate& climate,
                       const profile::ProfileSettings& p) {
    itur::ItuLink link = ituLink(values, options);
    link.geometry.distanceKm = p.distanceKm;
    link.geometry.effectiveEarthRadiusKm = climate.effectiveEarthRadiusKm;
    link.geometry.thetaTMrad = climate.horizon1.angleMrad;
    link.geometry.thetaRMrad = climate.horizon2.angleMrad;
    link.geometry.antennaHeight1M = p.station1.antennaHeightM;
    link.geometry.antennaHeight2M = p.station2.antennaHeightM;
    link.surfaceRefractivity = climate.n0.value;
    link.deltaN = climate.deltaN.value;
    link.climateZone = static_cast<itur::ClimateZone>(static_cast<int>(climate.climateZone.value));
    link.groundHeightKm = climate.commonVolume ? std::max(0.0, climate.commonVolume->groundM) / 1000 : 0;
    return link;
}

}  // namespace tropolink
