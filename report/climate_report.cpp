#include "report/climate_report.h"

#include <nlohmann/json.hpp>

#include "climate/zones.h"
#include "grammar/number_text.h"
#include "grammar/terminal_text.h"

namespace tropolink {
namespace {

using nlohmann::ordered_json;

std::string sourceText(const ClimateValue& v) {
    if (v.source != ClimateSource::Map) return std::string(climateSourceName(v.source));
    return "map " + terminalText(v.file.string()) + " at the " + v.where + " (" + fixedText(v.at.latDeg, 4) + ", " +
           fixedText(v.at.lonDeg, 4) + ")";
}

ordered_json valueJson(const ClimateValue& v) {
    ordered_json json{{"value", v.value}, {"source", climateSourceName(v.source)}};
    if (v.source == ClimateSource::Map) {
        json["file"] = v.file.string();
        json["where"] = v.where;
        json["lat"] = v.at.latDeg;
        json["lon"] = v.at.lonDeg;
    }
    return json;
}

}  // namespace

void appendClimateText(std::string& out, const SiteClimate& c) {
    out += "climate\n";
    out += "  delta-N for the radius  " + fixedText(c.deltaNRadius.value, 3) + " N-units/km, " +
           sourceText(c.deltaNRadius) + ": ae " + fixedText(c.effectiveEarthRadiusKm, 1) +
           " km\n";
    out += "  N0                      " + fixedText(c.n0.value, 3) + " N-units, " +
           sourceText(c.n0) + "\n";
    out += "  delta-N                 " + fixedText(c.deltaN.value, 3) + " N-units/km, " +
           sourceText(c.deltaN) + "\n";
    out += "  climate zone            " + fixedText(c.climateZone.value, 0);
    if (c.zoneCode) out += " (map code " + std::to_string(*c.zoneCode) + ", " + std::string(climate::zoneName(*c.zoneCode)) + ")";
    out += ", " + sourceText(c.climateZone) + "\n";
    if (c.surfaceRefractivityPosition)
        out += "  the calculator's N value sea level is set to " + std::to_string(*c.surfaceRefractivityPosition) +
               " from N0\n";
    if (!c.surfaceRefractivityNote.empty()) out += "  note: " + c.surfaceRefractivityNote + "\n";
    if (!c.deltaNNote.empty()) out += "  note: " + c.deltaNNote + "\n";
}

std::string climateJson(const SiteClimate& c) {
    ordered_json json;
    json["mapsFolder"] = c.mapsFolder ? ordered_json(c.mapsFolder->string()) : ordered_json(nullptr);
    json["deltaNForRadius"] = valueJson(c.deltaNRadius);
    json["effectiveEarthRadiusKm"] = c.effectiveEarthRadiusKm;
    json["n0"] = valueJson(c.n0);
    json["deltaN"] = valueJson(c.deltaN);
    ordered_json zone = valueJson(c.climateZone);
    if (c.zoneCode) {
        zone["zoneCode"] = *c.zoneCode;
        zone["zoneName"] = climate::zoneName(*c.zoneCode);
    }
    json["climateZone"] = zone;
    json["surfaceRefractivity"] = c.surfaceRefractivityPosition ? ordered_json(*c.surfaceRefractivityPosition)
                                                                : ordered_json(nullptr);
    json["surfaceRefractivityNote"] =
        c.surfaceRefractivityNote.empty() ? ordered_json(nullptr) : ordered_json(c.surfaceRefractivityNote);
    return json.dump(-1, ' ', false, ordered_json::error_handler_t::replace);
}

}  // namespace tropolink
