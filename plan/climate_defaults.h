#pragma once

#include <string>

#include "plan/plan_run.h"

namespace tropolink {

// One sentence naming the climate values taken by default (climateDefaults),
// each with the value used, for page one of the report; empty when every
// value came from the maps or the plan.
std::string climateDefaultsSentence(const PlanResult& result);

}  // namespace tropolink
