#include "plan/mechanism_json.h"

#include "plan/mechanism_text.h"

#include "climate/map_format.h"
#include "link/p2001_maps.h"
#include "report/availability_json.h"

namespace tropolink {
namespace {

using nlohmann::ordered_json;

std::string_view skipName(MechanismSkip skip) {
    switch (skip) {
        case MechanismSkip::None: return "";
        case MechanismSkip::NoSites: return "noSites";
        case MechanismSkip::NoMaps: return "noMaps";
        case MechanismSkip::Refused: return "outsideDomain";
    }
    return "";
}

std::string_view mechanismKey(p2001::Mechanism m) {
    switch (m) {
        case p2001::Mechanism::NearSurface: return "nearSurface";
        case p2001::Mechanism::Anomalous: return "anomalous";
        case p2001::Mechanism::Troposcatter: return "troposcatter";
        case p2001::Mechanism::SporadicE: return "sporadicE";
    }
    return "";
}

ordered_json decidingJson(const DecidingMechanisms& d) {
    ordered_json list = ordered_json::array();
    list.push_back(mechanismKey(d.first));
    if (d.second) list.push_back(mechanismKey(*d.second));
    return {{"mechanisms", list}, {"text", decidingMechanismsText(d)}};
}

ordered_json lossesJson(const MechanismLosses& m) {
    return {{"percent", m.percent},
            {"lbDb", m.lbDb},
            {"lbm1Db", m.subModels.lbm1Db},
            {"lbm2Db", m.subModels.lbm2Db},
            {"lbm3Db", m.subModels.lbm3Db},
            {"lbm4Db", m.subModels.lbm4Db},
            {"deciding", decidingJson(m.deciding)}};
}

ordered_json availabilityJson(const itur::StationAvailability& a) {
    const auto optional = [](std::optional<double> x) { return x ? ordered_json(*x) : ordered_json(nullptr); };
    const std::string_view bound = boundText(a.bound);
    return {{"availabilityPercent", optional(a.percent)},
            {"outageMinutesPerYear", optional(a.outageMinutesPerYear)},
            {"bound", bound.empty() ? ordered_json(nullptr) : ordered_json(bound)}};
}

ordered_json stationJson(const MechanismStation& s) {
    ordered_json j;
    j["receivingStation"] = s.receivingStation;
    j["atPercents"] = ordered_json::array();
    for (const MechanismLosses& m : s.atPercents) j["atPercents"].push_back(lossesJson(m));
    j["atRequired"] = s.atRequired ? lossesJson(*s.atRequired) : ordered_json(nullptr);
    j["availability"] = s.availability ? availabilityJson(*s.availability) : ordered_json(nullptr);
    j["mapValues"] = ordered_json::array();
    for (const P2001MapValue& v : s.mapValues)
        j["mapValues"].push_back({{"map", climate::mapFormat(p2001MapKind(v.file)).fileName},
                                  {"at", mapSiteName(v.site)},
                                  {"latDeg", v.at.latDeg},
                                  {"lonDeg", v.at.lonDeg},
                                  {"value", v.value}});
    j["notes"] = s.notes;
    return j;
}

}  // namespace

ordered_json mechanismsJson(const PlanMechanisms& m) {
    ordered_json j;
    j["ran"] = m.ran();
    j["skipped"] = m.ran() ? ordered_json(nullptr) : ordered_json(skipName(m.skip));
    j["reason"] = m.ran() ? ordered_json(nullptr) : ordered_json(m.reason);
    j["polarisation"] = m.polarisation == p2001::Polarisation::Vertical ? "vertical" : "horizontal";
    if (!m.ran()) return j;
    j["mapsSource"] = m.mapsSource;
    j["zoneSource"] = m.zoneSource == ZoneSource::Column ? "column" : "derived";
    j["zonesNote"] = m.zonesNote;
    j["stations"] = ordered_json::array();
    for (const MechanismStation& s : m.stations) j["stations"].push_back(stationJson(s));
    return j;
}

std::string mechanismsJsonText(const PlanMechanisms& m) {
    return mechanismsJson(m).dump(-1, ' ', false, ordered_json::error_handler_t::replace);
}

ordered_json decisionJson(const std::optional<PlanDecision>& d) {
    if (!d) return nullptr;
    return {{"method", itur::methodNames(d->method).label},
            {"applies", d->applies},
            {"met", d->met},
            {"firstLine", d->firstLine},
            {"mechanism", d->mechanism ? decidingJson(*d->mechanism) : ordered_json(nullptr)},
            {"sentences", d->sentences},
            {"defaults", {{"n0", d->defaults.n0}, {"deltaN", d->defaults.deltaN}, {"climateZone", d->defaults.climateZone}}}};
}

}  // namespace tropolink
