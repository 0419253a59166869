#include "link/path_zones.h"

#include "p2001/profile_zones.h"

namespace tropolink {

PathZones pathZones(std::span<const profile::ProfilePoint> points) {
    PathZones z;
    if (profile::hasZones(points)) {
        z.source = ZoneSource::Column;
        for (const profile::ProfilePoint& p : points) z.zone.push_back(p.zone);
        return z;
    }
    std::vector<double> distanceKm;
    std::vector<double> heightM;
    for (const profile::ProfilePoint& p : points) {
        distanceKm.push_back(p.distanceKm);
        heightM.push_back(p.heightM);
    }
    z.zone = p2001::profileZones(distanceKm, heightM);
    return z;
}

}  // namespace tropolink
