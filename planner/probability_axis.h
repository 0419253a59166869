#pragma once

#include "plot/probability_axis.h"

namespace tropolink::planner {

// A normal-probability axis places p % of the year at the standard normal
// quantile of p/100, as the report's does, so that a loss that is normal in dB
// draws straight. Requires 0 < percent < 100.
inline double probabilityPosition(double percent) { return normalQuantile(percent / 100); }

}  // namespace tropolink::planner
