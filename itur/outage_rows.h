#pragma once

#include <cstddef>

#include "itur/diversity.h"

// The short-term outage of the closed forms over many margins at once, written
// without branches so that the compiler runs them through the vector maths
// library, a few margins a step. Internal to the library: the diversity is
// valid and not correlated selection.
namespace tropolink::itur {

// x = ln 2 · 10^(−M/10) = exp(ln ln 2 − M·ln 10/10), the required power over a branch's mean.
inline constexpr double kLnLn2 = -0.36651292058166432701;
inline constexpr double kNepersPerDb = 0.23025850929940456840;  // ln 10 / 10

void closedFormOutageRows(const double* marginsDb, std::size_t rows, const Diversity& diversity, double* outages);

}  // namespace tropolink::itur
