#pragma once

#include <functional>
#include <span>
#include <string>
#include <vector>

#include "itur/availability.h"
#include "plan/plan_mechanism.h"
#include "profile/profile_csv.h"
#include "terrain/site.h"

// The complete P.2001 over a path with sites, in both directions.
namespace tropolink {

struct MechanismPath {
    std::span<const profile::ProfilePoint> points;  // from station 1 to station 2
    terrain::Site site1;
    terrain::Site site2;
    double frequencyMhz = 0;
    double mast1M = 0;  // above the ground
    double mast2M = 0;
    double gain1Dbi = 0;  // towards the other station
    double gain2Dbi = 0;
    p2001::Polarisation polarisation = p2001::Polarisation::Vertical;
};

struct MechanismRequirement {
    itur::LinkBudget budget;
    std::vector<double> percents;
    std::optional<double> requiredSnrDb;
    std::optional<double> requiredPercent;  // Lb and its mechanisms there, when given
    // With both of the above: fading within the hour with this diversity,
    // where troposcatter decides Lb at the required percentage.
    std::optional<itur::Diversity> fading;
};

// Both directions with the 14 maps `read` from `mapsSource`. A path outside
// the method's domain is skipped as Refused, with the reason.
PlanMechanisms runMechanisms(const MechanismPath& path, const MechanismRequirement& requirement,
                             const p2001::MapReader& read, const std::string& mapsSource);

PlanMechanisms skippedMechanisms(MechanismSkip skip, std::string reason,
                                 p2001::Polarisation polarisation = p2001::Polarisation::Vertical);

// The largest p in [kLowestPercent, kHighestPercent] at which lossAt(p) ≤
// maxLossDb, to 1e-6 %, by bisection: lossAt must not fall as p rises. Above
// when it holds at kHighestPercent, Below when not even at kLowestPercent.
itur::StationAvailability availabilityByBisection(const std::function<double(double)>& lossAt, double maxLossDb);

}  // namespace tropolink
