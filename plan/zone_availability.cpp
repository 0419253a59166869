#include "plan/zone_availability.h"

namespace tropolink {

std::vector<ZoneAvailability> zoneAvailabilities(const itur::ItuLink& link, const itur::LinkBudget& budget,
                                                 double requiredSnrDb) {
    std::vector<ZoneAvailability> list;
    itur::ItuLink zoned = link;
    for (int zone = 1; zone <= itur::kClimateZoneCount; ++zone) {
        zoned.climateZone = static_cast<itur::ClimateZone>(zone);
        for (const itur::ItuMethod method : kZoneMethods) {
            ZoneAvailability z{zoned.climateZone, method, {}};
            for (int station = 1; station <= 2; ++station)
                z.stations[static_cast<std::size_t>(station - 1)] =
                    itur::stationAvailability(method, zoned, budget, station, requiredSnrDb);
            list.push_back(z);
        }
    }
    return list;
}

}  // namespace tropolink
