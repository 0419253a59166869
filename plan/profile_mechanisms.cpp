#include "plan/profile_mechanisms.h"

#include "link/availability_link.h"
#include "link/p2001_maps.h"
#include "plan/mechanism_run.h"

namespace tropolink {

PlanMechanisms profileMechanisms(const Ground& ground, const ProfileAnswer& a, const AvailabilityOptions& options,
                                 const PlanMaps& maps, std::pair<double, double> masts) {
    if (!ground.placed)
        return skippedMechanisms(MechanismSkip::NoSites,
                                 "the complete P.2001 needs the ends' coordinates to read its maps: give the sites");
    if (!maps.p2001All) return skippedMechanisms(MechanismSkip::NoMaps, missingP2001MapsLine(maps.folders));
    MechanismPath path;
    path.points = ground.points;
    path.site1 = ground.placed->site1;
    path.site2 = ground.placed->site2;
    path.frequencyMhz = a.link->frequencyMhz;
    path.mast1M = masts.first;
    path.mast2M = masts.second;
    path.gain1Dbi = a.link->gain1Dbi;
    path.gain2Dbi = a.link->gain2Dbi;
    MechanismRequirement requirement;
    requirement.budget = linkBudget(a.values);
    requirement.percents = options.percents;
    requirement.requiredSnrDb = options.requiredSnrDb;
    return runMechanisms(path, requirement, p2001MapReader(maps.p2001All), maps.p2001All->folder().string());
}

}  // namespace tropolink
