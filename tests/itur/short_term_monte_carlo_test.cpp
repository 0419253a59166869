#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <random>
#include <vector>

#include "itur/short_term_outage.h"

namespace tropolink::itur {
namespace {

constexpr int kSamples = 1000000;
constexpr std::array<double, 2> kOutages{1e-2, 1e-3};

// The margin at which the library's form gives `outage`, by bisection.
double marginAt(double outage, const Diversity& d) {
    double low = -40;
    double high = 80;
    while (high - low > 1e-10) {
        const double middle = (low + high) / 2;
        (shortTermOutage(middle, d) > outage ? low : high) = middle;
    }
    return (low + high) / 2;
}

double threshold(double marginDb) { return std::log(2.0) * std::pow(10.0, -marginDb / 10); }

// One branch's power about its mean, and what the combiner makes of several.
double combined(const double* powers, int order, Combiner combiner) {
    double out = 0;
    for (int i = 0; i < order; ++i) out = combiner == Combiner::Selection ? std::max(out, powers[i]) : out + powers[i];
    return out;
}

// The sampled outage is binomial: within 4.5 of its standard deviations.
void expectWithinSampling(long outages, double q, const char* what, double parameter) {
    const double sampled = static_cast<double>(outages) / kSamples;
    const double sigma = std::sqrt(q * (1 - q) / kSamples);
    EXPECT_NEAR(sampled, q, 4.5 * sigma) << what << " " << parameter << " at an outage of " << q;
}

TEST(ShortTermMonteCarlo, IndependentBranchesCombined) {
    const std::array<Diversity, 5> forms{{{1, Combiner::Selection, 0},
                                          {2, Combiner::Selection, 0},
                                          {4, Combiner::Selection, 0},
                                          {2, Combiner::MaximalRatio, 0},
                                          {4, Combiner::MaximalRatio, 0}}};
    std::vector<std::array<double, 2>> thresholds;
    for (const Diversity& d : forms)
        thresholds.push_back({threshold(marginAt(kOutages[0], d)), threshold(marginAt(kOutages[1], d))});
    std::vector<std::array<long, 2>> counts(forms.size());
    std::mt19937_64 random(20240901);
    std::exponential_distribution<double> power(1.0);
    for (int s = 0; s < kSamples; ++s) {
        const std::array<double, 4> p{power(random), power(random), power(random), power(random)};
        for (std::size_t f = 0; f < forms.size(); ++f) {
            const double c = combined(p.data(), forms[f].order, forms[f].combiner);
            for (std::size_t k = 0; k < 2; ++k) counts[f][k] += c < thresholds[f][k];
        }
    }
    for (std::size_t f = 0; f < forms.size(); ++f)
        for (std::size_t k = 0; k < 2; ++k)
            expectWithinSampling(counts[f][k], kOutages[k],
                                 forms[f].combiner == Combiner::Selection ? "selection" : "maximal-ratio",
                                 static_cast<double>(forms[f].order));
}

// Two branches of complex gains g₁ = n₁ and g₂ = a·n₁ + √(1 − a²)·n₂ have
// unit mean powers |g|² of correlation a² = ρ.
TEST(ShortTermMonteCarlo, CorrelatedBranchesCombined) {
    const std::array<Diversity, 4> forms{{{2, Combiner::MaximalRatio, 0.5},
                                          {2, Combiner::MaximalRatio, 0.9},
                                          {2, Combiner::Selection, 0.5},
                                          {2, Combiner::Selection, 0.9}}};
    std::vector<std::array<double, 2>> thresholds;
    for (const Diversity& d : forms)
        thresholds.push_back({threshold(marginAt(kOutages[0], d)), threshold(marginAt(kOutages[1], d))});
    std::vector<std::array<long, 2>> counts(forms.size());
    std::mt19937_64 random(20240902);
    std::normal_distribution<double> component(0.0, std::sqrt(0.5));
    for (int s = 0; s < kSamples; ++s) {
        const double r1 = component(random), i1 = component(random), r2 = component(random), i2 = component(random);
        for (std::size_t f = 0; f < forms.size(); ++f) {
            const double a = std::sqrt(forms[f].branchCorrelation);
            const double b = std::sqrt(1 - a * a);
            const double gr = a * r1 + b * r2;
            const double gi = a * i1 + b * i2;
            const std::array<double, 2> p{r1 * r1 + i1 * i1, gr * gr + gi * gi};
            const double c = combined(p.data(), 2, forms[f].combiner);
            for (std::size_t k = 0; k < 2; ++k) counts[f][k] += c < thresholds[f][k];
        }
    }
    for (std::size_t f = 0; f < forms.size(); ++f)
        for (std::size_t k = 0; k < 2; ++k)
            expectWithinSampling(counts[f][k], kOutages[k],
                                 forms[f].combiner == Combiner::Selection ? "correlated selection"
                                                                          : "correlated maximal-ratio",
                                 forms[f].branchCorrelation);
}

}  // namespace
}  // namespace tropolink::itur
