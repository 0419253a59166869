#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <random>

#include "bisection_oracle.h"
#include "itur/availability.h"

namespace tropolink::itur {
namespace {

// A link anywhere on the sliders' ranges, trans-horizon or not, with a
// budget and requirement that put the threshold anywhere in the year.
struct RandomLink {
    ItuLink link;
    LinkBudget budget;
    double requiredSnrDb = 0;
};

RandomLink randomLink(std::mt19937_64& random) {
    const auto uniform = [&](double low, double high) { return std::uniform_real_distribution(low, high)(random); };
    const StationSite site1{uniform(0.001, 1), uniform(0.001, 1), uniform(0.5, 40)};
    const StationSite site2{uniform(0.001, 1), uniform(0.001, 1), uniform(0.5, 40)};
    RandomLink r;
    r.link.geometry = geometryFromSites(site1, site2, uniform(20, 800), effectiveEarthRadiusKm(uniform(20, 80)));
    r.link.frequencyMhz = uniform(30, 10000);
    r.link.gain1Dbi = uniform(0, 50);
    r.link.gain2Dbi = uniform(0, 50);
    r.link.surfaceRefractivity = uniform(250, 400);
    r.link.deltaN = uniform(20, 80);
    r.link.groundHeightKm = uniform(0, 2);
    r.link.climateZone = static_cast<ClimateZone>(std::uniform_int_distribution(1, kClimateZoneCount)(random));
    r.budget = {uniform(0, 100), uniform(0, 100), uniform(-160, -100), uniform(-160, -100)};
    // The S/N at the median, give or take the fading of the year.
    const MethodLoss median = methodLoss(ItuMethod::P2001, r.link, 50);
    r.requiredSnrDb = (median.value() ? snrAtStation1(r.budget, median.lossDb) : 0) + uniform(-40, 40);
    return r;
}

TEST(AvailabilityInverse, AgreesWithBisectionOnRandomLinks) {
    constexpr int kLinks = 100000;
    std::mt19937_64 random(20240611);
    int found = 0;
    double worst = 0;
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < kLinks; ++i) {
        const RandomLink r = randomLink(random);
        const ItuMethod method = kItuMethods[static_cast<std::size_t>(i % 2)];
        const int station = 1 + (i / 2) % 2;
        const StationAvailability direct = stationAvailability(method, r.link, r.budget, station, r.requiredSnrDb);
        const StationAvailability bisected =
            testing_support::bisectedAvailability(method, r.link, r.budget, station, r.requiredSnrDb);
        ASSERT_EQ(direct.bound, bisected.bound) << "link " << i;
        ASSERT_EQ(direct.percent.has_value(), bisected.percent.has_value()) << "link " << i;
        if (!direct.percent) continue;
        ++found;
        const double difference = std::abs(*direct.percent - *bisected.percent);
        worst = std::max(worst, difference);
        ASSERT_LT(difference, 1e-6) << "link " << i << ": " << *direct.percent << " against " << *bisected.percent;
        ASSERT_DOUBLE_EQ(*direct.outageMinutesPerYear, (100 - *direct.percent) / 100 * kMinutesPerYear);
    }
    const std::chrono::duration<double> seconds = std::chrono::steady_clock::now() - start;
    // Most links must have a threshold inside the year, or the comparison says little.
    EXPECT_GT(found, kLinks / 3);
    RecordProperty("worstDifferencePercent", testing::PrintToString(worst));
    RecordProperty("seconds", testing::PrintToString(seconds.count()));
}

}  // namespace
}  // namespace tropolink::itur
