#include "itur/outage_rows.h"

#include <array>
#include <bit>
#include <cmath>
#include <cstdint>
#include <utility>

// glibc's vector maths, as in loss_rows.cpp.
#if defined(__GNUC__) && !defined(__clang__)
extern "C" {
__attribute__((simd("notinbranch"))) double exp(double) noexcept;
__attribute__((simd("notinbranch"))) double expm1(double) noexcept;
}
#endif

namespace tropolink::itur {
namespace {

// Every form is 1 to the last digit long before x = 1000, and x⁴·e^−x is
// still a number there; an infinite x would make it NaN.
constexpr double kMaxX = 1000;

// a!/(a + j)! for j = 0 … Terms − 1: the series of P(a, x)·a!·e^x/x^a.
template <int A, std::size_t Terms>
constexpr std::array<double, Terms> gammaSeries() {
    std::array<double, Terms> c{};
    double term = 1;
    for (std::size_t j = 0; j < Terms; ++j) {
        c[j] = term;
        term /= A + static_cast<double>(j) + 1;
    }
    return c;
}

// 1/(k + 2)!: ψ(t) = (e^−t − 1 + t)/t² = Σ (−t)^k/(k + 2)!.
template <std::size_t Terms>
constexpr std::array<double, Terms> psiSeries() {
    std::array<double, Terms> c{};
    double term = 0.5;
    for (std::size_t k = 0; k < Terms; ++k) {
        c[k] = term;
        term /= static_cast<double>(k) + 3;
    }
    return c;
}

// Enough terms for every digit below the switch to the direct form: the
// last term is below 1e-17 of the sum there.
constexpr auto kGamma2Series = gammaSeries<2, 19>();  // x < 1
constexpr auto kGamma4Series = gammaSeries<4, 22>();  // x < 2
constexpr auto kPsiSeries = psiSeries<19>();          // t < 1

// Σ c_j·x^j, unrolled at compile time: a loop inside the row loop would keep it scalar.
template <std::size_t Terms, std::size_t... J>
[[gnu::always_inline]] inline double hornerUnrolled(const std::array<double, Terms>& c, double x, std::index_sequence<J...>) {
    double sum = c[Terms - 1];
    ((sum = sum * x + c[Terms - 2 - J]), ...);
    return sum;
}

template <std::size_t Terms>
[[gnu::always_inline]] inline double horner(const std::array<double, Terms>& c, double x) {
    return hornerUnrolled(c, x, std::make_index_sequence<Terms - 1>{});
}

// c ? a : b by the bits: the optimiser sees no select, so it cannot move the
// work of one side into a branch, which would keep the row loop scalar. The
// side not taken may be NaN or infinite.
[[gnu::always_inline]] inline double choose(bool c, double a, double b) {
    const std::uint64_t mask = -static_cast<std::uint64_t>(c);
    return std::bit_cast<double>((std::bit_cast<std::uint64_t>(a) & mask) | (std::bit_cast<std::uint64_t>(b) & ~mask));
}

// ln 2 · 10^(−M/10): the required power over a branch's mean power, at most
// kMaxX; NaN stays NaN.
[[gnu::always_inline]] inline double thresholdOf(double marginDb) {
    const double x = exp(kLnLn2 - kNepersPerDb * marginDb);
    return choose(x > kMaxX, kMaxX, x);
}

// P(2, x) and P(4, x), the regularised lower incomplete gamma function: the
// sum of 2 or 4 unit exponential powers stays below x. Below the switch the
// series keeps every digit; above it 1 − e^−x·Σ x^k/k! loses fewer than three.
[[gnu::always_inline]] inline double gamma2(double x, double e) {
    const double series = e * x * x * 0.5 * horner(kGamma2Series, x);
    const double direct = 1 - e * (1 + x);
    return choose(x < 1, series, direct);
}

[[gnu::always_inline]] inline double gamma4(double x, double e) {
    const double x2 = x * x;
    const double series = e * x2 * x2 * (1.0 / 24) * horner(kGamma4Series, x);
    const double direct = 1 - e * (1 + x + x2 * 0.5 + x2 * x * (1.0 / 6));
    return choose(x < 2, series, direct);
}

// 1 − (1 − e^−t)/t ≥ 0, by its series where t + expm1(−t) would cancel.
[[gnu::always_inline]] inline double omega(double t) {
    const double series = t * horner(kPsiSeries, -t);
    const double direct = (t + expm1(-t)) / t;
    return choose(t < 1, series, direct);
}

// q of each margin from its threshold x.
template <class Outage>
[[gnu::always_inline]] inline void outageRows(const double* m, std::size_t rows, double* q, Outage outageAt) {
#pragma omp simd
    for (std::size_t i = 0; i < rows; ++i) {
        q[i] = outageAt(thresholdOf(m[i]));
    }
}

#define TROPOLINK_ROW_CLONES __attribute__((target_clones("avx2", "default")))

// One loop per order: a select on the order would keep the loop scalar. The
// clones sit on plain functions, which every compiler can multiversion.
template <int Order>
[[gnu::always_inline]] inline void selectionRows(const double* m, std::size_t rows, double* q) {
    outageRows(m, rows, q, [](double x) __attribute__((always_inline)) {
        const double one = -expm1(-x);
        if constexpr (Order == 1) return one;
        if constexpr (Order == 2) return one * one;
        return (one * one) * (one * one);
    });
}

TROPOLINK_ROW_CLONES void selection1Rows(const double* m, std::size_t rows, double* q) { selectionRows<1>(m, rows, q); }
TROPOLINK_ROW_CLONES void selection2Rows(const double* m, std::size_t rows, double* q) { selectionRows<2>(m, rows, q); }
TROPOLINK_ROW_CLONES void selection4Rows(const double* m, std::size_t rows, double* q) { selectionRows<4>(m, rows, q); }

TROPOLINK_ROW_CLONES void maximalRatio2Rows(const double* m, std::size_t rows, double* q) {
    outageRows(m, rows, q, [](double x) __attribute__((always_inline)) { return gamma2(x, exp(-x)); });
}

TROPOLINK_ROW_CLONES void maximalRatio4Rows(const double* m, std::size_t rows, double* q) {
    outageRows(m, rows, q, [](double x) __attribute__((always_inline)) { return gamma4(x, exp(-x)); });
}

// Two branches of power correlation ρ = a²: their sum is (1 + a)·E₁ + (1 − a)·E₂
// with E₁, E₂ unit exponentials. With u = x/(1 + a) and t = x·2a/(1 − ρ),
//   q = 1 − [(1 + a)e^(−x/(1+a)) − (1 − a)e^(−x/(1−a))]/(2a) = P(2, u) + u·e^−u·ω(t),
// a sum of two positive terms with no 1/a in it: exact at ρ = 0 and at small x.
TROPOLINK_ROW_CLONES void correlatedMaximalRatioRows(const double* m, std::size_t rows, double rho, double* q) {
    const double a = std::sqrt(rho);
    const double perU = 1 / (1 + a);
    const double perT = 2 * a / (1 - rho);
    outageRows(m, rows, q, [perU, perT](double x) __attribute__((always_inline)) {
        const double u = x * perU;
        const double e = exp(-u);
        return gamma2(u, e) + u * e * omega(x * perT);
    });
}

}  // namespace

void closedFormOutageRows(const double* m, std::size_t rows, const Diversity& d, double* q) {
    if (d.order == 1) {
        selection1Rows(m, rows, q);
    } else if (d.combiner == Combiner::Selection) {
        (d.order == 2 ? selection2Rows : selection4Rows)(m, rows, q);
    } else if (d.branchCorrelation > 0) {
        correlatedMaximalRatioRows(m, rows, d.branchCorrelation, q);
    } else if (d.order == 2) {
        maximalRatio2Rows(m, rows, q);
    } else {
        maximalRatio4Rows(m, rows, q);
    }
}

}  // namespace tropolink::itur
