#pragma once

#include <string>
#include <vector>

#include "plan/plan_run.h"

namespace tropolink {

// A climate value the run took by default, neither from a map nor from the
// plan: its name ("N0", "ΔN", "the climate zone") and the value used, as text.
struct ClimateDefault {
    std::string name;
    std::string value;
};

// N0, ΔN and the zone where they are defaults, in that order. Without sites
// N0 is the surface refractivity slider, which the plan sets: never listed.
std::vector<ClimateDefault> climateDefaults(const PlanResult& result);

// One sentence naming them with their values, for the verdict; empty when
// every value came from the maps or the plan.
std::string climateDefaultsSentence(const PlanResult& result);

}  // namespace tropolink
