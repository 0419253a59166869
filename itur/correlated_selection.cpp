#include "itur/correlated_selection.h"

#include <algorithm>
#include <cmath>

namespace tropolink::itur {
namespace {

constexpr double kTolerance = 1e-17;  // of the neglected tail, relative to the sum
constexpr double kEpsilon = 1e-17;    // of a series' last term, relative to its sum
// Above it 1 − q < 2e^−x is below half an ulp of 1.
constexpr double kCertainX = 40;
// Below it q = x²/(1 − ρ) to a relative 1e-18: its next term is −z of it.
constexpr double kTinyZ = 1e-20;
constexpr int kMaxSeriesTerms = 1000000;

// ln(t_n/P₁), t_n = e^−z·zⁿ/n! the Poisson weight, P₁ = P(1, z).
double lnScaledWeight(int n, double z, double lnZ, double lnP1) {
    return -z + n * lnZ - std::lgamma(n + 1.0) - lnP1;
}

// Σ_j Π_{i=1..j} z/(a + i) for a > z − 1: P(a, z) = t_a times it.
double lowerSeries(int a, double z) {
    double term = 1;
    double sum = 1;
    for (int i = 1; i < kMaxSeriesTerms && term > kEpsilon * sum; ++i) {
        term *= z / (a + i);
        sum += term;
    }
    return sum;
}

// Σ_j Π_{i=0..j−1} (a − 1 − i)/z for a ≤ z: Q(a, z) = 1 − P(a, z) = t_{a−1} times it.
double upperSeries(int a, double z) {
    double term = 1;
    double sum = 1;
    for (int i = 0; i < a - 1 && term > kEpsilon * sum; ++i) {
        term *= (a - 1 - i) / z;
        sum += term;
    }
    return sum;
}

}  // namespace

double correlatedSelectionOutage(double x, double rho) {
    if (std::isnan(x) || x >= kCertainX) return x >= kCertainX ? 1 : x;
    const double oneMinusRho = 1 - rho;
    const double z = x / oneMinusRho;
    const double p1 = -std::expm1(-z);
    if (rho == 0) return p1 * p1;
    if (z < kTinyZ) return x * x / oneMinusRho;
    const double lnZ = std::log(z);
    const double lnP1 = std::log(p1);

    // s_n = P(n + 1, z)/P₁ falls with n, from s₀ = 1, so the terms after n
    // add at most s_n²/(1 − ρ), and ρⁿ alone bounds them by ρⁿ/(1 − ρ).
    const int lastByRho = static_cast<int>(std::ceil(std::log(kTolerance * oneMinusRho) / std::log(rho)));
    const double lnTailBound = 0.5 * std::log(kTolerance * oneMinusRho);
    int last = std::max(1, static_cast<int>(std::ceil(z)));
    // s_n < (t_{n+1}/P₁)·(n + 2)/(n + 2 − z) once n + 2 > z.
    double lnNext = lnScaledWeight(last + 1, z, lnZ, lnP1);
    while (last < lastByRho && lnNext + std::log((last + 2) / (last + 2 - z)) >= lnTailBound) {
        ++last;
        lnNext += lnZ - std::log(last + 1.0);
    }
    last = std::min(last, lastByRho);

    // Downwards, s_n = s_{n+1} + t_{n+1}/P₁ adds positive numbers only, and
    // Horner's nesting Σ = s₀² + ρ·(s₁² + ρ·(…)) needs no powers of ρ.
    double s = 0;
    double weight = 0;  // t_{n+1}/P₁ at each step below
    double scale = 1;   // of s and the weights, fixed by s₀ = 1 where free
    const int a = last + 1;
    if (a > z) {
        // Weights relative to t_last: the normalisation s₀ = 1 takes the
        // place of e^−z·zⁿ/n!, whose logarithm would cost digits.
        weight = 1;
        s = z / a * lowerSeries(a, z);
    } else {
        weight = std::exp(lnScaledWeight(last, z, lnZ, lnP1));
        s = (1 - std::exp(lnScaledWeight(last, z, lnZ, lnP1) + lnP1) * upperSeries(a, z)) / p1;
    }
    double sum = s * s;
    for (int n = last - 1; n >= 0; --n) {
        s += weight;
        sum = s * s + rho * sum;
        weight *= (n + 1) / z;
    }
    if (a > z) scale = 1 / s;
    return oneMinusRho * p1 * p1 * sum * scale * scale;
}

}  // namespace tropolink::itur
