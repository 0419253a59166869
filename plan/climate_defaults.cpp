#include "plan/climate_defaults.h"

#include <cctype>
#include <cmath>
#include <vector>

#include "grammar/number_text.h"
#include "plan/plan_decision.h"

namespace tropolink {
namespace {

std::string zoneValue(double zone) {
    const int z = static_cast<int>(std::lround(zone));
    return std::to_string(z) + " (" + std::string(itur::climateZoneName(static_cast<itur::ClimateZone>(z))) + ")";
}

}  // namespace

std::string climateDefaultsSentence(const PlanResult& r) {
    const ClimateDefaults d = climateDefaults(r);
    // The values the run used: the maps' defaults with sites, the link's without.
    const double n0 = r.climate ? r.climate->n0.value : r.link.surfaceRefractivity;
    const double deltaN = r.climate ? r.climate->deltaN.value : r.link.deltaN;
    const double zone = r.climate ? r.climate->climateZone.value : static_cast<double>(r.link.climateZone);
    std::vector<std::pair<std::string, std::string>> list;
    if (d.n0) list.emplace_back("N0", fixedText(n0, 1) + " N-units");
    if (d.deltaN) list.emplace_back("\xCE\x94N", fixedText(deltaN, 2) + " N-units/km");
    if (d.climateZone) list.emplace_back("the climate zone", zoneValue(zone));
    if (list.empty()) return {};
    std::string names;
    std::string values;
    for (std::size_t i = 0; i < list.size(); ++i) {
        names += std::string(i == 0 ? "" : i + 1 == list.size() ? " and " : ", ") + list[i].first;
        values += std::string(i == 0 ? "" : "; ") + list[i].first + " " + list[i].second;
    }
    names[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(names[0])));
    return names + (list.size() == 1 ? " is a default" : " are defaults") + ", from neither a map nor the plan: " +
           values + ".";
}

}  // namespace tropolink
