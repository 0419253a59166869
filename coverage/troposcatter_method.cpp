#include "coverage/troposcatter_method.h"

#include <algorithm>

#include "coverage/metadata_text.h"
#include "engine/recalculate.h"
#include "link/availability_options.h"
#include "grammar/input_error.h"
#include "grammar/option_ranges.h"
#include "link/profile_link.h"
#include "ground/site_profile.h"
#include "profile/profile_error.h"
#include "profile/profile_settings.h"

namespace tropolink::coverage {
namespace {

// The profile placed as the DEM route of `profile` places it.
PlacedProfile placed(const CellPath& path) {
    PlacedProfile p;
    p.site1 = path.site1;
    p.site2 = path.site2;
    p.path = path.profile;
    p.fromDem = true;
    p.points.reserve(p.path.distanceKm.size());
    for (std::size_t i = 0; i < p.path.distanceKm.size(); ++i)
        p.points.push_back({p.path.distanceKm[i], p.path.heightM[i], kFirstPointRow + static_cast<long>(i)});
    return p;
}

// Where one climate value comes from: the option, else the maps, else the default.
std::string climateText(const char* name, const std::optional<double>& given, bool maps, double fallback) {
    if (given) return std::string(name) + " " + metadataNumber(*given) + " (option)";
    if (maps) return std::string(name) + " from the maps";
    return std::string(name) + " " + metadataNumber(fallback) + " (default)";
}

}  // namespace

TroposcatterMethod::TroposcatterMethod(TroposcatterSettings settings, MapsInUse maps)
    : settings_(std::move(settings)), maps_(std::move(maps)) {
    for (const double p : settings_.percents)
        if (!(p > 0 && p < 100))
            throw InputError(std::string(kPercentOption.name) + " " + metadataNumber(p), "out of range",
                             allowedValues(kPercentOption));
}

std::string TroposcatterMethod::name() const {
    return settings_.method == itur::ItuMethod::P617 ? "p617" : "p2001-troposcatter";
}

itur::ItuLink TroposcatterMethod::pathLink(const CellPath& path) const {
    const PlacedProfile ground = placed(path);
    const profile::ProfileSettings derived = profile::deriveSettings(ground.points, settings_.mast1M, settings_.mast2M);
    const SiteClimate climate = siteClimate(ground, derived, settings_.climate, maps_);
    // The pass gives the link its frequency and gains; the rest comes from the path and its climate.
    PassValues values;
    values.params.frequency = settings_.frequencyMhz;
    values.params.station1.antennaGain = settings_.gain1Dbi;
    values.params.station2.antennaGain = settings_.gain2Dbi;
    return siteLink(values, AvailabilityOptions{}, climate, derived);
}

void TroposcatterMethod::losses(const CellPath& path, std::span<std::optional<double>> lossDb) const {
    std::fill(lossDb.begin(), lossDb.end(), std::nullopt);
    itur::ItuLink link;
    try {
        link = pathLink(path);
    } catch (const profile::ProfileError&) {
        return;  // ground the calculator's sliders cannot take: no figure
    }
    for (std::size_t i = 0; i < settings_.percents.size(); ++i)
        lossDb[i] = itur::methodLoss(settings_.method, link, settings_.percents[i]).value();
}

std::vector<MetadataItem> TroposcatterMethod::metadata() const {
    const ClimateRequest& c = settings_.climate;
    const bool maps = maps_ != nullptr;
    const std::optional<double> zone = c.climateZone ? std::optional<double>(*c.climateZone) : std::nullopt;
    const std::string climate = (maps ? "maps in " + maps_->folder().string() : std::string("no maps")) + "; " +
                                climateText("delta-N", c.deltaN, maps, c.defaultDeltaN) + ", " +
                                climateText("N0", c.n0, maps, c.defaultN0) + ", " +
                                climateText("zone", zone, maps, c.defaultClimateZone);
    return {{"METHOD", name()},
            {"FREQUENCY_MHZ", metadataNumber(settings_.frequencyMhz)},
            {"PERCENTAGES", metadataNumbers(settings_.percents)},
            {"S1_MAST_M", metadataNumber(settings_.mast1M)},
            {"S2_MAST_M", metadataNumber(settings_.mast2M)},
            {"S1_GAIN_DBI", metadataNumber(settings_.gain1Dbi)},
            {"S2_GAIN_DBI", metadataNumber(settings_.gain2Dbi)},
            {"MAPS", climate}};
}

}  // namespace tropolink::coverage
