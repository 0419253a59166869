#include "itur/correlated_selection.h"

#include <gtest/gtest.h>

#include <cmath>

#include "adaptive_quadrature.h"

namespace tropolink::itur {
namespace {

using testing_support::adaptiveIntegralRelative;

// 1 − Q₁(a, b) from Marcum's definition, ∫₀ᵇ t·e^(−(t² + a²)/2)·I₀(a·t) dt.
double marcumComplement(double a, double b) {
    return adaptiveIntegralRelative(
        [a](double t) { return t * std::exp(-(t * t + a * a) / 2) * std::cyl_bessel_i(0.0, a * t); }, 0, b, 1e-13);
}

// The outage as the two branches define it: the first branch's power y is
// exponential, and given y the second one's is a scaled non-central χ² of
// two degrees of freedom.
double integratedOutage(double x, double rho) {
    const double b = std::sqrt(2 * x / (1 - rho));
    return adaptiveIntegralRelative(
        [&](double y) { return std::exp(-y) * marcumComplement(std::sqrt(2 * rho * y / (1 - rho)), b); }, 0, x,
        1e-12);
}

TEST(CorrelatedSelection, SeriesEqualsTheMarcumIntegral) {
    struct Case {
        double rho;
        double x;
    };
    // I₀ stays a double wherever a·b < 700.
    const Case cases[] = {{0.05, 1e-3}, {0.05, 0.4}, {0.05, 3},  {0.3, 1e-4}, {0.3, 0.05}, {0.3, 1.5},
                          {0.3, 8},     {0.7, 2e-3}, {0.7, 0.3}, {0.7, 4},    {0.9, 1e-3}, {0.9, 0.2},
                          {0.9, 2.5},   {0.99, 1e-4}, {0.99, 0.02}, {0.99, 0.5}};
    for (const Case& c : cases) {
        const double series = correlatedSelectionOutage(c.x, c.rho);
        EXPECT_NEAR(series / integratedOutage(c.x, c.rho), 1, 1e-10) << "rho " << c.rho << " x " << c.x;
    }
}

TEST(CorrelatedSelection, BoundariesOfThreshold) {
    for (const double rho : {1e-300, 0.5, 0.99}) {
        EXPECT_EQ(correlatedSelectionOutage(0, rho), 0);
        EXPECT_EQ(correlatedSelectionOutage(40, rho), 1);
        EXPECT_EQ(correlatedSelectionOutage(INFINITY, rho), 1);
        EXPECT_TRUE(std::isnan(correlatedSelectionOutage(NAN, rho)));
        // Small thresholds: x²/(1 − ρ), on both sides of the switch to it.
        for (const double x : {1e-30, 0.99e-20 * (1 - rho), 1.01e-20 * (1 - rho)})
            EXPECT_NEAR(correlatedSelectionOutage(x, rho) / (x * x / (1 - rho)), 1, 1e-14) << x;
        // Just below certainty the series is summed over thousands of terms.
        const double nearlyCertain = correlatedSelectionOutage(39.9, rho);
        EXPECT_LE(nearlyCertain, 1);
        EXPECT_GT(nearlyCertain, 1 - 1e-13);  // rounding over some 4000 terms
    }
}

}  // namespace
}  // namespace tropolink::itur
