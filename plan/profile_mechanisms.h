#pragma once

#include <utility>

#include "ground/ground.h"
#include "link/availability_options.h"
#include "link/profile_answer.h"
#include "plan/plan_mechanism.h"
#include "plan/plan_run.h"

namespace tropolink {

// The complete P.2001 beside the troposcatter methods of `profile
// --availability`: both directions where the ground has sites and the 14 maps
// are installed, else why not. `masts`: each antenna above its ground, m.
PlanMechanisms profileMechanisms(const Ground& ground, const ProfileAnswer& answer, const AvailabilityOptions& options,
                                 const PlanMaps& maps, std::pair<double, double> masts);

}  // namespace tropolink
