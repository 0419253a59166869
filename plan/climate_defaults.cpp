#include "plan/climate_defaults.h"

#include <cmath>
#include <cctype>

#include "grammar/number_text.h"

namespace tropolink {
namespace {

std::string zoneValue(double zone) {
    const int z = static_cast<int>(std::lround(zone));
    return std::to_string(z) + " (" + std::string(itur::climateZoneName(static_cast<itur::ClimateZone>(z))) + ")";
}

}  // namespace

std::vector<ClimateDefault> climateDefaults(const PlanResult& r) {
    std::vector<ClimateDefault> list;
    if (r.climate) {
        const SiteClimate& c = *r.climate;
        if (c.n0.source == ClimateSource::Default) list.push_back({"N0", fixedText(c.n0.value, 1) + " N-units"});
        if (c.deltaN.source == ClimateSource::Default)
            list.push_back({"\xCE\x94N", fixedText(c.deltaN.value, 2) + " N-units/km"});
        if (c.climateZone.source == ClimateSource::Default)
            list.push_back({"the climate zone", zoneValue(c.climateZone.value)});
        return list;
    }
    const AvailabilityOptions& o = r.plan.availability;
    if (!o.deltaNGiven) list.push_back({"\xCE\x94N", fixedText(r.link.deltaN, 2) + " N-units/km"});
    if (!o.climateZoneGiven)
        list.push_back({"the climate zone", zoneValue(static_cast<double>(r.link.climateZone))});
    return list;
}

std::string climateDefaultsSentence(const PlanResult& r) {
    const std::vector<ClimateDefault> list = climateDefaults(r);
    if (list.empty()) return {};
    std::string names;
    std::string values;
    for (std::size_t i = 0; i < list.size(); ++i) {
        const char* join = i == 0 ? "" : i + 1 == list.size() ? " and " : ", ";
        names += join + list[i].name;
        values += std::string(i == 0 ? "" : "; ") + list[i].name + " " + list[i].value;
    }
    names[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(names[0])));
    const bool one = list.size() == 1;
    return names + (one ? " is a default" : " are defaults") + ", from neither a map nor the plan: " + values + ".";
}

}  // namespace tropolink
