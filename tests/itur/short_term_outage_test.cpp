#include "itur/short_term_outage.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <limits>
#include <random>
#include <vector>

#include "itur/correlated_selection.h"
#include "itur/outage_rows.h"

namespace tropolink::itur {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr Diversity kOneBranch{};

const std::array<Diversity, 9> kDiversities{{
    {1, Combiner::Selection, 0},
    {2, Combiner::Selection, 0},
    {4, Combiner::Selection, 0},
    {2, Combiner::MaximalRatio, 0},
    {4, Combiner::MaximalRatio, 0},
    {2, Combiner::MaximalRatio, 0.3},
    {2, Combiner::MaximalRatio, 0.99},
    {2, Combiner::Selection, 0.3},
    {2, Combiner::Selection, 0.99},
}};

double threshold(double marginDb) { return std::log(2.0) * std::pow(10.0, -marginDb / 10); }

// The margin at which one branch is out for `outage` of the hour, by bisection.
double oneBranchMarginDb(double outage) {
    double low = -60;
    double high = 80;
    while (high - low > 1e-12) {
        const double middle = (low + high) / 2;
        (shortTermOutage(middle, kOneBranch) > outage ? low : high) = middle;
    }
    return (low + high) / 2;
}

// P.528's Nakagami–Rice row: the level exceeded for p % of the time, dB
// about the median; it is one branch's margin at an outage of 1 − p/100.
TEST(ShortTermOutage, OneBranchQuantilesAreTheNakagamiRiceRow) {
    constexpr std::array<double, 17> kPercents{1, 2, 5, 10, 15, 20, 30, 40, 50, 60, 70, 80, 85, 90, 95, 98, 99};
    constexpr std::array<double, 17> kRowDb{-8.2238, -7.5154, -6.3565, -5.2137, -4.3726, -3.6584,
                                            -2.3979, -1.2121, 0.0000,  1.3255,  2.8855,  4.9224,
                                            6.2992,  8.1814,  11.3076, 15.3541, 18.3864};
    for (std::size_t i = 0; i < kPercents.size(); ++i)
        EXPECT_NEAR(oneBranchMarginDb(1 - kPercents[i] / 100), kRowDb[i], 0.0005) << kPercents[i] << " %";
}

// Each form at −10, 0, 3, 20 and 100 dB, computed with 200 digits from the
// textbook forms (the correlated selection from its series, far past every digit).
TEST(ShortTermOutage, AgreesWithHighPrecisionValues) {
    struct Case {
        Diversity diversity;
        std::array<double, 5> outages;
    };
    constexpr std::array<double, 5> kMarginsDb{-10, 0, 3, 20, 100};
    const Case cases[] = {
        {{1, Combiner::Selection, 0}, {9.990234375e-1, 5.0e-1, 2.9347487716492611e-1, 6.9075045629640985e-3, 6.9314718053592266e-11}},
        {{2, Combiner::Selection, 0}, {9.9804782867431641e-1, 2.5e-1, 8.6127503526968471e-2, 4.7713619287369841e-5, 4.8045301388489896e-21}},
        {{4, Combiner::Selection, 0}, {9.9609946832151763e-1, 6.25e-2, 7.4179468637879664e-3, 2.2765894655000713e-9, 2.3083509855108291e-41}},
        {{2, Combiner::MaximalRatio, 0}, {9.9225442206484428e-1, 1.5342640972002735e-1, 4.803050966804447e-2, 2.3911930489880593e-5, 2.4022650694799989e-21}},
        {{4, Combiner::MaximalRatio, 0}, {9.1459157112662978e-1, 5.5611019080661991e-3, 4.6036841862315369e-4, 9.5649486057539938e-11, 9.6181291070951348e-43}},
        {{2, Combiner::MaximalRatio, 0.3}, {9.8396336620870506e-1, 1.8634626653191438e-1, 6.2713655174335258e-2, 3.4092447519447329e-5, 3.4318072420463199e-21}},
        {{2, Combiner::MaximalRatio, 0.99}, {9.6894290817207054e-1, 2.9172910838633501e-1, 1.5769992869277927e-1, 1.5901625921001378e-3, 2.4022650584901833e-19}},
        {{2, Combiner::Selection, 0.3}, {9.9809235789955959e-1, 2.9117055661137963e-1, 1.0881022580704761e-1, 6.7960909987783183e-5, 6.8636144838660924e-21}},
        {{2, Combiner::Selection, 0.99}, {9.9887886909090866e-1, 4.764900481474284e-1, 2.6997090787649564e-1, 2.7442250619096229e-3, 4.804530105879545e-19}},
    };
    for (const Case& c : cases) {
        for (std::size_t i = 0; i < kMarginsDb.size(); ++i) {
            // A margin of M dB is known to a relative M·ln 10/10·ε in x: 1e-14 at 100 dB.
            const double q = shortTermOutage(kMarginsDb[i], c.diversity);
            EXPECT_NEAR(q / c.outages[i], 1, 5e-14) << c.diversity.order << " " << c.diversity.branchCorrelation << " at "
                                                    << kMarginsDb[i] << " dB";
            EXPECT_NEAR(log10ShortTermOutage(kMarginsDb[i], c.diversity), std::log10(c.outages[i]), 1e-14);
        }
    }
}

TEST(ShortTermOutage, CorrelatedFormsTendToIndependentBranchesAsCorrelationVanishes) {
    for (const double x : {1e-8, 1e-3, 0.1, 1.0, 5.0, 30.0}) {
        const double independentSelection = std::pow(-std::expm1(-x), 2);
        EXPECT_NEAR(correlatedSelectionOutage(x, 1e-12) / independentSelection, 1, 1e-11) << x;
    }
    for (const double m : {-12.0, -3.0, 0.0, 5.0, 20.0, 60.0, 180.0}) {
        const double independent = shortTermOutage(m, {2, Combiner::MaximalRatio, 0});
        for (const double rho : {1e-300, 1e-30, 1e-12})
            EXPECT_NEAR(shortTermOutage(m, {2, Combiner::MaximalRatio, rho}) / independent, 1, 1e-11) << m << " " << rho;
    }
}

// Beyond the 0.99 a receiver may be given: the internal forms themselves.
// Two branches that differ by a share √(1 − ρ) of their power make the
// outage differ in proportion to it.
TEST(ShortTermOutage, CorrelatedFormsTendToOneBranchAsCorrelationNearsOne) {
    for (const double m : {0.0, 3.0, 6.0, 10.0}) {
        const double x = threshold(m);
        double previousSelection = kInf;
        double previousMaximalRatio = kInf;
        for (const double gap : {1e-2, 1e-4, 1e-6}) {
            const double rho = 1 - gap;
            const double selection = std::abs(correlatedSelectionOutage(x, rho) / -std::expm1(-x) - 1);
            // Maximal-ratio of two copies of one branch: one branch 3 dB stronger.
            double q = 0;
            closedFormOutageRows(&m, 1, {2, Combiner::MaximalRatio, rho}, &q);
            const double maximalRatio = std::abs(q / -std::expm1(-x / 2) - 1);
            EXPECT_LT(selection, previousSelection / 5) << m << " " << rho;
            EXPECT_LT(maximalRatio, previousMaximalRatio / 5) << m << " " << rho;
            previousSelection = selection;
            previousMaximalRatio = maximalRatio;
        }
        EXPECT_LT(previousSelection, 3e-3) << m;
        EXPECT_LT(previousMaximalRatio, 3e-3) << m;
    }
}

TEST(ShortTermOutage, FiniteAtEveryMarginAndNaNForNaN) {
    const double margins[] = {-kInf, -1e308, -1e4, -300, -31.6, -0.0, 198.40825461045138, 1e4, 1e308, kInf};
    for (const Diversity& d : kDiversities) {
        for (const double m : margins) {
            const double q = shortTermOutage(m, d);
            EXPECT_TRUE(q >= 0 && q <= 1) << m << " gives " << q;
            const double log10Q = log10ShortTermOutage(m, d);
            EXPECT_TRUE(std::isfinite(log10Q) || m == kInf) << m;
            EXPECT_LE(log10Q, 0) << m;
        }
        EXPECT_EQ(shortTermOutage(-kInf, d), 1);
        EXPECT_EQ(shortTermOutage(kInf, d), 0);
        EXPECT_TRUE(std::isnan(shortTermOutage(std::nan(""), d)));
        EXPECT_TRUE(std::isnan(log10ShortTermOutage(std::nan(""), d)));
        // Where q underflows its logarithm goes on falling d·order·(1/10) a dB.
        EXPECT_NEAR(log10ShortTermOutage(4010, d) - log10ShortTermOutage(4000, d), -d.order, 1e-9);
        // Across x = 1e-20, where the leading term takes over.
        const double switchDb = 198.40825461045138;
        EXPECT_NEAR(log10ShortTermOutage(switchDb - 1e-9, d), log10ShortTermOutage(switchDb + 1e-9, d), 1e-9);
    }
}

TEST(ShortTermOutage, BatchAgreesWithOneMarginAtATime) {
    std::mt19937_64 random(11);
    std::vector<double> margins(1001);
    for (double& m : margins) m = std::uniform_real_distribution(-45.0, 260.0)(random);
    margins[3] = std::nan("");
    margins[4] = -kInf;
    margins[5] = kInf;
    for (const Diversity& d : kDiversities) {
        std::vector<double> q(margins.size());
        shortTermOutages(margins, d, q);
        for (std::size_t i = 0; i < margins.size(); ++i) {
            const double one = shortTermOutage(margins[i], d);
            if (std::isnan(one)) {
                EXPECT_TRUE(std::isnan(q[i]));
                continue;
            }
            // The vector and scalar exp differ by a few ulp.
            EXPECT_NEAR(q[i], one, 1e-14 * one) << margins[i];
        }
        std::vector<double> inPlace = margins;
        shortTermOutages(inPlace, d, inPlace);
        for (std::size_t i = 6; i < margins.size(); ++i) EXPECT_EQ(inPlace[i], q[i]);
    }
    std::vector<double> tooShort(3);
    EXPECT_THROW(shortTermOutages(margins, kOneBranch, tooShort), std::invalid_argument);
    EXPECT_THROW(shortTermOutage(0, {3, Combiner::Selection, 0}), std::invalid_argument);
}

// More margin, more branches or less correlation never raise the outage;
// except that correlation spreads a maximal-ratio sum, so above the sum's
// mean (x > 2, q > 0.59 uncorrelated) more of it lowers q a little.
TEST(ShortTermOutage, MonotoneOverRandomInputs) {
    constexpr double kRounding = 1e-13;  // relative
    std::mt19937_64 random(3);
    const auto uniform = [&](double low, double high) { return std::uniform_real_distribution(low, high)(random); };
    for (int i = 0; i < 20000; ++i) {
        const double m1 = uniform(-40, 120);
        const double m2 = m1 + uniform(0, 20) * (i % 3 == 0 ? 1e-6 : 1);
        const Combiner combiner = i % 2 == 0 ? Combiner::Selection : Combiner::MaximalRatio;
        const double rho1 = uniform(0, 0.99);
        const double rho2 = std::min(0.99, rho1 + uniform(0, 0.2) * (i % 5 == 0 ? 1e-6 : 1));
        for (const Diversity& d : kDiversities) {
            ASSERT_LE(shortTermOutage(m2, d), shortTermOutage(m1, d) * (1 + kRounding)) << m1 << " " << m2;
            ASSERT_LE(log10ShortTermOutage(m2, d), log10ShortTermOutage(m1, d) + kRounding) << m1 << " " << m2;
        }
        const double one = shortTermOutage(m1, {1, combiner, 0});
        const double two = shortTermOutage(m1, {2, combiner, 0});
        const double four = shortTermOutage(m1, {4, combiner, 0});
        ASSERT_LE(two, one * (1 + kRounding)) << m1;
        ASSERT_LE(four, two * (1 + kRounding)) << m1;
        const double q1 = shortTermOutage(m1, {2, combiner, rho1});
        if (combiner == Combiner::Selection || threshold(m1) < 2) {
            ASSERT_LE(q1, shortTermOutage(m1, {2, combiner, rho2}) * (1 + kRounding)) << m1 << " " << rho1 << " " << rho2;
        }
        ASSERT_LE(shortTermOutage(m1, {2, combiner, rho2}), one * (1 + kRounding)) << m1 << " " << rho2;
    }
}

}  // namespace
}  // namespace tropolink::itur
