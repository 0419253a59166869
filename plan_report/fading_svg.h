#pragma once

#include <string>

#include "plan/plan_run.h"

namespace tropolink {

// The availability against the median margin of each method with fading: one
// receiver dashed, the diversity asked for solid, on the report's probability
// axis, with the required availability and each method's link margin (the
// lower of its two stations') marked. Empty without fading curves.
std::string fadingAvailabilitySvg(const PlanResult& result);

}  // namespace tropolink
