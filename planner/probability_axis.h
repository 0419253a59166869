#pragma once

namespace tropolink::planner {

// A normal-probability axis places p % of the year at the standard normal
// quantile of p/100, so that a loss that is normal in dB draws straight.
// Requires 0 < percent < 100.
double probabilityPosition(double percent);

}  // namespace tropolink::planner
