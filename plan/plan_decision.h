#pragma once

#include <vector>

#include "plan/plan_run.h"

// The plan's verdicts and its one verdict, from the methods' figures.
namespace tropolink {

// Two methods further apart than this at the required percentage are explained in words, dB.
inline constexpr double kMethodsDisagreeDb = 6;

// The climate values of the troposcatter methods that are defaults.
ClimateDefaults climateDefaults(const PlanResult& r);

// Every method's rows for each receiving station, the complete P.2001 first
// where the path has sites.
std::vector<PlanVerdict> planVerdicts(const PlanResult& r);

// From the complete P.2001 where it ran, else from the more cautious
// troposcatter method that gives a figure; none without a requirement.
std::optional<PlanDecision> planDecision(const PlanResult& r);

// The verdict's sentence on the climate defaults; the report gives them as a
// paragraph of its own, with the values used, and leaves this one out.
std::string defaultsSentence(const ClimateDefaults& d, bool completeDecides);

}  // namespace tropolink
