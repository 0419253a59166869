#include "itur/yearly_outage.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <numeric>
#include <random>

#include "adaptive_quadrature.h"
#include "itur/fading_availability.h"
#include "itur/method_domain.h"
#include "itur/short_term_outage.h"

namespace tropolink::itur {
namespace {

using testing_support::adaptiveIntegral;

const std::array<Diversity, 7> kDiversities{{
    {1, Combiner::Selection, 0},
    {2, Combiner::Selection, 0},
    {4, Combiner::Selection, 0},
    {2, Combiner::MaximalRatio, 0},
    {4, Combiner::MaximalRatio, 0},
    {2, Combiner::MaximalRatio, 0.6},
    {2, Combiner::Selection, 0.95},
}};

// P.617's time term alone, N0 = 325 and a common volume 1 km up.
LossCurve p617TimeTerm() {
    const double k = 0.035 * 325 * std::exp(-1 / 7.35);
    return [k](double p) {
        if (p == 50) return 0.0;
        return p < 50 ? -k * std::pow(-std::log10(p / 50), 0.67) : k * std::pow(-std::log10((100 - p) / 50), 0.67);
    };
}

double percentAt(double z) { return 50 * std::erfc(-z / std::sqrt(2.0)); }

// The integral in the normal deviate, adaptively to 1e-12, told nothing of
// the cusp or the floor; L(p) held beyond the methods' percentages.
double adaptiveOutage(const LossCurve& loss, double marginDb, const Diversity& d) {
    const double medianDb = loss(50);
    const double zHigh = -normalDeviate(kLowestPercent / 100);
    const auto integrand = [&](double z) {
        return shortTermOutage(marginDb - (loss(percentAt(z)) - medianDb), d) * std::exp(-z * z / 2) /
               std::sqrt(2 * M_PI);
    };
    const double held = kLowestPercent / 100 * shortTermOutage(marginDb - (loss(kLowestPercent) - medianDb), d) +
                        (100 - kHighestPercent) / 100 * shortTermOutage(marginDb - (loss(kHighestPercent) - medianDb), d);
    return held + adaptiveIntegral(integrand, -zHigh, 0, 1e-12) + adaptiveIntegral(integrand, 0, zHigh, 1e-12);
}

ItuLink randomLink(std::mt19937_64& random) {
    const auto uniform = [&](double low, double high) { return std::uniform_real_distribution(low, high)(random); };
    const StationSite site1{uniform(0.001, 1), uniform(0.001, 1), uniform(0.5, 40)};
    const StationSite site2{uniform(0.001, 1), uniform(0.001, 1), uniform(0.5, 40)};
    ItuLink link;
    link.geometry = geometryFromSites(site1, site2, uniform(20, 800), effectiveEarthRadiusKm(uniform(20, 80)));
    link.frequencyMhz = uniform(30, 10000);
    link.gain1Dbi = uniform(0, 50);
    link.gain2Dbi = uniform(0, 50);
    link.surfaceRefractivity = uniform(250, 450);
    link.deltaN = uniform(20, 80);
    link.groundHeightKm = uniform(0, 5);
    link.climateZone = static_cast<ClimateZone>(std::uniform_int_distribution(1, kClimateZoneCount)(random));
    return link;
}

TEST(YearlyOutage, FixedNodesAgreeWithAdaptiveQuadratureOverRandomLinks) {
    std::mt19937_64 random(17);
    const auto uniform = [&](double low, double high) { return std::uniform_real_distribution(low, high)(random); };
    int compared = 0;
    double worst = 0;
    for (int i = 0; compared < 1500; ++i) {
        const ItuLink link = randomLink(random);
        const ItuMethod method = kItuMethods[static_cast<std::size_t>(i % 2)];
        const std::optional<FadeNodes> nodes = methodFadeNodes(method, link);
        if (!nodes) continue;
        const LossCurve loss = [&](double p) { return methodLoss(method, link, p).lossDb; };
        const Diversity& d = kDiversities[static_cast<std::size_t>(i) % kDiversities.size()];
        const double margin = uniform(-15, 70);
        const double difference = std::abs(yearlyOutage(*nodes, margin, d).outage - adaptiveOutage(loss, margin, d));
        worst = std::max(worst, difference);
        ASSERT_LT(difference, kYearlyOutageTolerance) << "link " << i << " at " << margin << " dB";
        ++compared;
    }
    RecordProperty("worstDifference", testing::PrintToString(worst));
}

TEST(YearlyOutage, AgreesWithABruteForceSumOverTheYear) {
    // Midpoints of 10⁵ equal shares of the year; the first and last share
    // are exactly the held ranges. The sum's own error: against half as many.
    const LossCurve loss = p617TimeTerm();
    const FadeNodes nodes = fadeNodes(loss);
    const auto bruteForce = [&](int cells, double margin, const Diversity& d) {
        double sum = 0;
        for (int i = 0; i < cells; ++i) {
            const double p = std::clamp(100 * (i + 0.5) / cells, kLowestPercent, kHighestPercent);
            sum += shortTermOutage(margin - loss(p), d);
        }
        return sum / cells;
    };
    for (const Diversity& d : kDiversities) {
        // Margins that one receiver and the diversity need for 99.9 %.
        for (const double margin : {32.78, 19.86, 25.0}) {
            const double fine = bruteForce(100000, margin, d);
            const double ownError = std::abs(fine - bruteForce(50000, margin, d));
            const double outage = yearlyOutage(nodes, margin, d).outage;
            EXPECT_LT(std::abs(outage - fine), std::max(2 * ownError, 1e-7)) << d.order << " at " << margin;
            EXPECT_LT(std::abs(outage - fine), 1e-6) << d.order << " at " << margin;
        }
    }
}

// P.617's time term at N0 = 325, h0 = 1 km: 99.9 % needs 19.3 dB by the
// hourly median alone and 32.8 dB for one receiver that fades within the hour.
TEST(YearlyOutage, MarginsThatOneReceiverNeeds) {
    const LossCurve loss = p617TimeTerm();
    const FadeNodes nodes = fadeNodes(loss);
    EXPECT_NEAR(loss(99.9), 19.3093, 1e-4);
    EXPECT_NEAR(medianMarginForOutage(nodes, 1e-3, {}), 32.7784, 1e-4);
    EXPECT_NEAR(medianMarginForOutage(nodes, 1e-4, {}), 42.7946, 1e-4);
}

TEST(YearlyOutage, MarginForAnOutageInvertsTheOutage) {
    std::mt19937_64 random(23);
    const auto uniform = [&](double low, double high) { return std::uniform_real_distribution(low, high)(random); };
    for (int i = 0; i < 300; ++i) {
        const ItuLink link = randomLink(random);
        const std::optional<FadeNodes> nodes = methodFadeNodes(kItuMethods[static_cast<std::size_t>(i % 2)], link);
        if (!nodes) continue;
        const Diversity& d = kDiversities[static_cast<std::size_t>(i) % kDiversities.size()];
        const double outage = std::pow(10.0, uniform(-6, -0.01));
        const double margin = medianMarginForOutage(*nodes, outage, d);
        // Within the tolerance on either side.
        EXPECT_GE(yearlyOutage(*nodes, margin - kMarginToleranceDb, d).outage, outage) << i;
        EXPECT_LE(yearlyOutage(*nodes, margin + kMarginToleranceDb, d).outage, outage) << i;
    }
    const FadeNodes nodes = fadeNodes(p617TimeTerm());
    for (const double outage : {0.0, 1.0, -1e-3, std::nan("")})
        EXPECT_THROW(medianMarginForOutage(nodes, outage, {}), std::domain_error) << outage;
}

TEST(YearlyOutage, NodesCoverTheYearOnce) {
    for (const double floorPercent : {0.0, kLowestPercent, 0.5, 30.0, 50.0, 75.0, 99.999, 100.0}) {
        const FadeNodes nodes = fadeNodes(p617TimeTerm(), floorPercent);
        EXPECT_NEAR(std::accumulate(nodes.shares.begin(), nodes.shares.end(), 0.0), 1, 1e-13) << floorPercent;
        EXPECT_EQ(nodes.lowTailHeld, floorPercent <= kLowestPercent) << floorPercent;
        for (const double share : nodes.shares) EXPECT_GE(share, 0);
    }
}

TEST(YearlyOutage, HeldRangeAndItsNote) {
    const FadeNodes nodes = fadeNodes(p617TimeTerm());
    const YearlyOutage weak = yearlyOutage(nodes, 20, {});
    EXPECT_TRUE(weak.heldMatters());
    EXPECT_GT(weak.heldOutage, 0.9e-5);  // the worst 0.001 % of the year is out
    EXPECT_FALSE(yearlyOutage(nodes, 200, {4, Combiner::MaximalRatio, 0}).heldMatters());
    EXPECT_EQ(yearlyOutage(nodes, -1e4, {}).outage, 1);
    EXPECT_EQ(yearlyOutage(nodes, 1e4, {}).outage, 0);
    EXPECT_DOUBLE_EQ(weak.minutesPerYear(), weak.outage * kMinutesPerYear);
    EXPECT_DOUBLE_EQ(weak.availabilityPercent(), 100 * (1 - weak.outage));
}

TEST(YearlyOutage, NormalDeviateInvertsTheNormalShare) {
    for (const double u : {1e-300, 1e-12, 1e-5, 0.02, 0.5, 0.7, 0.99999, 1 - 1e-12}) {
        const double z = normalDeviate(u);
        const double back = u <= 0.5 ? 0.5 * std::erfc(-z / std::sqrt(2.0)) : 1 - 0.5 * std::erfc(z / std::sqrt(2.0));
        EXPECT_NEAR(back / u, 1, 1e-12) << u;
    }
    EXPECT_NEAR(normalDeviate(1e-5), -4.264890793922825, 1e-13);
    for (const double u : {0.0, 1.0, std::nan("")}) EXPECT_THROW(normalDeviate(u), std::domain_error) << u;
}

// More margin, more branches or less correlation never lower the
// availability; for maximal-ratio, correlation only where the year is out
// for less than a tenth (short_term_outage_test.cpp says why).
TEST(YearlyOutage, MonotoneOverRandomInputs) {
    constexpr double kRounding = 1e-14;  // of the year
    std::mt19937_64 random(29);
    const auto uniform = [&](double low, double high) { return std::uniform_real_distribution(low, high)(random); };
    for (int i = 0; i < 1500; ++i) {
        const ItuLink link = randomLink(random);
        const std::optional<FadeNodes> nodes = methodFadeNodes(kItuMethods[static_cast<std::size_t>(i % 2)], link);
        if (!nodes) continue;
        const double m1 = uniform(-20, 80);
        const double m2 = m1 + uniform(0, 10) * (i % 3 == 0 ? 1e-6 : 1);
        const Combiner combiner = i % 2 == 0 ? Combiner::Selection : Combiner::MaximalRatio;
        const double rho1 = uniform(0, 0.99);
        const double rho2 = std::min(0.99, rho1 + uniform(0, 0.3));
        const auto outage = [&](double m, const Diversity& d) { return yearlyOutage(*nodes, m, d).outage; };
        for (const Diversity& d : kDiversities) ASSERT_LE(outage(m2, d), outage(m1, d) + kRounding) << i;
        ASSERT_LE(outage(m1, {2, combiner, 0}), outage(m1, {1, combiner, 0}) + kRounding) << i;
        ASSERT_LE(outage(m1, {4, combiner, 0}), outage(m1, {2, combiner, 0}) + kRounding) << i;
        const double correlated = outage(m1, {2, combiner, rho1});
        if (combiner == Combiner::Selection || correlated < 0.1) {
            ASSERT_LE(correlated, outage(m1, {2, combiner, rho2}) + kRounding) << i;
        }
    }
}

}  // namespace
}  // namespace tropolink::itur
