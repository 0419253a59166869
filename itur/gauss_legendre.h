#pragma once

#include <span>

// Gauss–Legendre quadrature on [0, 1].
namespace tropolink::itur {

struct GaussLegendreRule {
    std::span<const double> nodes;    // in (0, 1), rising
    std::span<const double> weights;  // summing to 1
};

// The rule of kGaussLegendreNodes nodes, computed once, exact for
// polynomials of degree below twice that.
inline constexpr int kGaussLegendreNodes = 80;
GaussLegendreRule gaussLegendreRule();

}  // namespace tropolink::itur
