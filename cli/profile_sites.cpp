#include "cli/profile_sites.h"

#include <iostream>

#include "climate/map_error.h"
#include "climate/maps_service.h"
#include "grammar/input_error.h"
#include "grammar/option_ranges.h"
#include "link/profile_answer.h"
#include "terrain/map_features.h"

namespace tropolink::cli {
namespace {

constexpr std::string_view kGroundSources = "a profile FILE, or --from LAT,LON --to LAT,LON --dem PATH";

void refuseWithoutDem(const SiteArguments& a) {
    const std::pair<bool, std::string_view> demOnly[] = {{a.stepM.has_value(), "--step-m"},
                                                         {a.seaWhereMissingCount > 0, "--sea-where-missing"},
                                                         {a.fillVoidsCount > 0, "--fill-voids"}};
    for (const auto& [given, name] : demOnly)
        if (given) throw InputError(name, "given without --dem", std::string(name) + " with --dem");
}

}  // namespace

SiteOptions checkSiteArguments(const SiteArguments& a, const std::optional<std::string>& file) {
    if (a.from.has_value() != a.to.has_value())
        throw InputError(a.from ? "--from" : "--to", a.from ? "given without --to" : "given without --from",
                         "--from LAT,LON and --to LAT,LON together");
    if (!a.dems.empty() && file) throw InputError("--dem", "given with a profile FILE", kGroundSources);
    if (a.dems.empty() && !file) throw InputError("profile", "neither a FILE nor --dem", kGroundSources);
    if (!a.dems.empty() && !a.from) throw InputError("--dem", "given without --from and --to", kGroundSources);
    if (a.dems.empty()) refuseWithoutDem(a);
    for (const auto& [given, name] : {std::pair{a.kml.has_value(), "--kml"}, std::pair{a.geojson.has_value(), "--geojson"}})
        if (given && !a.from) throw InputError(name, "given without --from and --to", "--kml and --geojson with sites");
    if (a.seaWhereMissingCount > 1) throw InputError("--sea-where-missing", "given twice", "--sea-where-missing once");
    if (a.fillVoidsCount > 1) throw InputError("--fill-voids", "given twice", "--fill-voids once");

    SiteOptions o;
    if (a.from) o.sites = std::pair{terrain::parseSite(*a.from, "--from"), terrain::parseSite(*a.to, "--to")};
    if (a.stepM) o.profile.stepM = readNumberOption(kStepOption, *a.stepM);
    o.profile.seaWhereMissing = a.seaWhereMissingCount > 0;
    o.profile.fillVoids = a.fillVoidsCount > 0;
    return o;
}

RunResult loadClimateMaps(const std::optional<std::string>& mapsOption, MapsInUse& maps) {
    const std::optional<std::filesystem::path> option =
        mapsOption ? std::optional<std::filesystem::path>(*mapsOption) : std::nullopt;
    try {
        maps = climate::MapsService::shared().find(climate::MapSetId::Climate, option);
    } catch (const climate::MapError& e) {
        return {kExitBadInput, diagnostic(e.what())};
    } catch (const climate::InstallError& e) {
        return {kExitBadInput, diagnostic(e.what())};
    }
    if (!maps) std::cerr << diagnostic(kMissingMapsNote) << '\n';
    return {};
}

std::vector<std::string> pathFeatureTexts(const SiteArguments& a, const PlacedProfile& placed, const PathPlaces& places) {
    const std::vector<terrain::MapFeature> features = pathFeatures(placed, places);
    std::vector<std::string> texts(2);
    if (a.kml) texts[0] = terrain::mapFeaturesText(features, terrain::MapFeatureFormat::Kml, *a.kml);
    if (a.geojson) texts[1] = terrain::mapFeaturesText(features, terrain::MapFeatureFormat::GeoJson, *a.geojson);
    return texts;
}

}  // namespace tropolink::cli
