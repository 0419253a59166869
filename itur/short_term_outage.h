#pragma once

#include <span>

#include "itur/diversity.h"

// Fading within the hour. A troposcatter signal is the sum of many scattered
// paths of random phase, so within each hour one branch's power S is Rayleigh
// about its hourly median S_m: P(S < r·S_m) = 1 − exp(−ln 2 · r). With M (dB)
// the margin of the hourly-median S/N over the required S/N, and
// x = ln 2 · 10^(−M/10), the share of the hour in outage is
//   one branch:                     q = 1 − e^−x
//   N independent, selection:       q = (1 − e^−x)^N
//   N independent, maximal-ratio:   q = 1 − e^−x·Σ_{k<N} x^k/k!  (the array gain is in it)
//   two correlated, maximal-ratio:  q = 1 − [(1 + a)e^(−x/(1+a)) − (1 − a)e^(−x/(1−a))]/(2a), a = √ρ
//   two correlated, selection:      correlated_selection.h
// Each branch has the same hourly median; quadruple diversity takes independent branches.
namespace tropolink::itur {

// q for one margin, 0 to 1, to a few ulp relative beyond what the rounding of
// M itself costs (M·ln 10/10 ulp of x); NaN for a NaN margin. Throws
// std::invalid_argument for an invalid diversity (validateDiversity).
double shortTermOutage(double marginDb, const Diversity& diversity);

// log10 q, finite for every finite margin: beyond some 200 dB, where q
// underflows, from the leading term of its expansion in x.
double log10ShortTermOutage(double marginDb, const Diversity& diversity);

// q for each margin; `outages` has the size of `marginsDb` and may be it.
// The closed forms run a few margins a step on the vector unit.
void shortTermOutages(std::span<const double> marginsDb, const Diversity& diversity, std::span<double> outages);

}  // namespace tropolink::itur
