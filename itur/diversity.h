#pragma once

#include <array>
#include <string_view>

// How a troposcatter receiver combines its branches: antennas or frequencies
// that each see the same hourly median and fade on their own within the hour.
namespace tropolink::itur {

enum class Combiner { Selection, MaximalRatio };

inline constexpr std::array<int, 3> kDiversityOrders{1, 2, 4};
// Power correlation of two branches; at 1 they would be one branch, and the
// correlated forms lose their meaning well before (their terms scale with 1/(1 − ρ)).
inline constexpr double kMaxBranchCorrelation = 0.99;

struct Diversity {
    int order = 1;  // branches: 1, 2 or 4
    Combiner combiner = Combiner::Selection;
    double branchCorrelation = 0;  // power correlation, dual diversity only
};

// "selection" or "maximal-ratio", as options and plans write them.
std::string_view combinerName(Combiner combiner);

// Throw std::invalid_argument with one line in the form of the command line's
// refusals, naming the value and what is allowed, e.g.
//   branch correlation 0.995: out of range (allowed: 0 to 0.99)
Combiner combinerNamed(std::string_view name);
void validateDiversity(const Diversity& diversity);

}  // namespace tropolink::itur
