#include "link/availability_link.h"

namespace tropolink {
namespace {

itur::StationSite siteOf(const StationParameters& s) {
    return {s.antennaHeight, s.obstructionHeight, s.obstructionDistance};
}

}  // namespace

itur::ItuLink ituLink(const PassValues& values, const AvailabilityOptions& options) {
    const LinkParameters& p = values.params;
    itur::ItuLink link;
    link.geometry = itur::geometryFromSites(siteOf(p.station1), siteOf(p.station2), p.distance,
                                            itur::effectiveEarthRadiusKm(options.deltaN));
    link.frequencyMhz = p.frequency;
    link.gain1Dbi = p.station1.antennaGain;
    link.gain2Dbi = p.station2.antennaGain;
    link.surfaceRefractivity = options.n0.value_or(p.surfaceRefractivity);
    link.deltaN = options.deltaN;
    link.groundHeightKm = options.groundHeightKm;
    link.climateZone = options.climateZone;
    return link;
}

itur::LinkBudget linkBudget(const PassValues& values) {
    return {values.transmitter1.eirpDbw, values.transmitter2.eirpDbw, values.receiver1.rxSensitivity,
            values.receiver2.rxSensitivity};
}

itur::AvailabilityAnswer availabilityAnswer(const PassValues& values, const AvailabilityOptions& options) {
    return itur::answerAvailability(ituLink(values, options), linkBudget(values), options.percents,
                                    options.requiredSnrDb, options.fading);
}

}  // namespace tropolink
