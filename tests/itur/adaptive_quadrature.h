#pragma once

#include <functional>

namespace tropolink::itur::testing_support {

// ∫ₐᵇ f by Gauss–Kronrod 7–15 on halves until each piece's estimated error
// is within its share of `absoluteTolerance`: the oracle the library's fixed
// nodes and series are checked against.
double adaptiveIntegral(const std::function<double(double)>& f, double a, double b, double absoluteTolerance);

// The same with a tolerance relative to the integral, for integrands of one sign.
double adaptiveIntegralRelative(const std::function<double(double)>& f, double a, double b,
                                double relativeTolerance);

}  // namespace tropolink::itur::testing_support
