#include "plan/plan_mechanism.h"

#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <vector>

#include "itur/method_domain.h"
#include "link/p2001_maps.h"
#include "plan/mechanism_run.h"
#include "tests/climate/synthetic_itu_maps.h"

namespace tropolink {
namespace {

using p2001::Mechanism;

struct TieCase {
    const char* name;
    p2001::SubModelLosses losses;
    Mechanism first;
    std::optional<Mechanism> second;
};

// The runner-up is named when it lies within 3 dB, 3 dB itself included.
const TieCase kTieCases[] = {
    {"alone", {150, 200, 190, 1e6}, Mechanism::NearSurface, std::nullopt},
    {"just over 3 dB", {150, 153.000001, 190, 1e6}, Mechanism::NearSurface, std::nullopt},
    {"exactly 3 dB", {150, 153, 190, 1e6}, Mechanism::NearSurface, Mechanism::Anomalous},
    {"just under 3 dB", {150, 152.999999, 190, 1e6}, Mechanism::NearSurface, Mechanism::Anomalous},
    {"troposcatter first, ducting 2 dB behind", {220, 212, 210, 1e6}, Mechanism::Troposcatter, Mechanism::Anomalous},
    {"sporadic-E first, troposcatter 3 dB behind", {300, 250, 203, 200}, Mechanism::SporadicE, Mechanism::Troposcatter},
    {"sporadic-E first, troposcatter 3.01 dB behind", {300, 250, 203.01, 200}, Mechanism::SporadicE, std::nullopt},
    {"the nearest of two runners-up", {150, 152.5, 151, 1e6}, Mechanism::NearSurface, Mechanism::Troposcatter},
    {"equal losses: the sub-models' order", {180, 180, 180, 180}, Mechanism::NearSurface, Mechanism::Anomalous},
    {"runner-up tied: the first in order", {190, 180, 182, 182}, Mechanism::Anomalous, Mechanism::Troposcatter},
};

TEST(DecidingMechanismsTest, NamesTheRunnerUpWithinThreeDb) {
    for (const TieCase& c : kTieCases) {
        SCOPED_TRACE(c.name);
        const DecidingMechanisms d = decidingMechanisms(c.losses);
        EXPECT_EQ(d.first, c.first);
        EXPECT_EQ(d.second, c.second);
    }
}

TEST(DecidingMechanismsTest, TextNamesBoth) {
    EXPECT_EQ(decidingMechanismsText({Mechanism::Troposcatter, std::nullopt}), "troposcatter");
    EXPECT_EQ(decidingMechanismsText({Mechanism::Troposcatter, Mechanism::Anomalous}),
              "troposcatter and ducting and layer reflection");
}

// A monotone loss and its inverse: L(p) = 150 + 20 log10(1 + p).
double analyticLoss(double p) { return 150 + 20 * std::log10(1 + p); }

TEST(AvailabilityByBisectionTest, FindsTheCrossingToAMillionthOfAPercent) {
    for (const double target : {0.0011, 0.5, 10.0, 50.0, 90.0, 99.0, 99.99, 99.9989}) {
        SCOPED_TRACE(target);
        const itur::StationAvailability a = availabilityByBisection(analyticLoss, analyticLoss(target));
        ASSERT_EQ(a.bound, itur::AvailabilityBound::None);
        EXPECT_NEAR(*a.percent, target, 1e-6);
        EXPECT_LE(analyticLoss(*a.percent), analyticLoss(target));  // the largest p that still meets it
        EXPECT_NEAR(*a.outageMinutesPerYear, (100 - *a.percent) / 100 * itur::kMinutesPerYear, 1e-9);
    }
}

TEST(AvailabilityByBisectionTest, BoundsKeepTheirMeaning) {
    const itur::StationAvailability above = availabilityByBisection(analyticLoss, analyticLoss(itur::kHighestPercent));
    EXPECT_EQ(above.bound, itur::AvailabilityBound::Above);  // met even at 99.999 %
    EXPECT_FALSE(above.percent);
    const itur::StationAvailability below =
        availabilityByBisection(analyticLoss, std::nextafter(analyticLoss(itur::kLowestPercent), 0.0));
    EXPECT_EQ(below.bound, itur::AvailabilityBound::Below);  // failed even at 0.001 %
    EXPECT_FALSE(below.percent);
}

// A 150 km path with a ridge near station 1, and maps whose values change
// with the place, so that the two directions read different values.
class MechanismRunTest : public testing::Test {
protected:
    MechanismRunTest() {
        for (int i = 0; i <= 300; ++i) {
            const double d = 0.5 * i;
            const double ridge = 700 * std::exp(-std::pow((d - 25) / 6, 2));
            points_.push_back({d, 200 + ridge + 30 * std::sin(d / 7), 0});
        }
        path_.points = points_;
        path_.site1 = {45.0, 7.0};
        path_.site2 = {45.0, 8.9};
        path_.frequencyMhz = 2000;
        path_.mast1M = 15;
        path_.mast2M = 40;
        path_.gain1Dbi = 30;
        path_.gain2Dbi = 35;
    }

    static double placeValue(p2001::MapFile file, p2001::GeoPoint at) {
        const double base = climate::testing::syntheticValue(p2001MapKind(file));
        if (file == p2001::MapFile::TropoClim) return base;
        return base * (1 + 0.1 * (at.lonDeg - 7.9));
    }

    PlanMechanisms run(std::vector<double> percents, std::optional<double> requiredSnrDb = std::nullopt,
                       itur::LinkBudget budget = {}) const {
        MechanismRequirement requirement;
        requirement.percents = std::move(percents);
        requirement.requiredSnrDb = requiredSnrDb;
        requirement.budget = budget;
        return runMechanisms(path_, requirement, placeValue, "synthetic");
    }

    std::vector<profile::ProfilePoint> points_;
    MechanismPath path_;
};

TEST_F(MechanismRunTest, TheTwoDirectionsDiffer) {
    const PlanMechanisms m = run({1, 50, 99});
    ASSERT_TRUE(m.ran()) << m.reason;
    ASSERT_EQ(m.stations.size(), 2u);
    double largest = 0;
    for (std::size_t i = 0; i < 3; ++i)
        largest = std::max(largest, std::abs(m.stations[0].atPercents[i].lbDb - m.stations[1].atPercents[i].lbDb));
    EXPECT_GT(largest, 1e-3);
    // Each direction reads the transmitter's water vapour at its own transmitter.
    const auto txValue = [](const MechanismStation& s) {
        for (const P2001MapValue& v : s.mapValues)
            if (v.site == p2001::MapSite::Tx) return v.value;
        return 0.0;
    };
    EXPECT_NE(txValue(m.stations[0]), txValue(m.stations[1]));
}

TEST_F(MechanismRunTest, TheBisectionAgreesWithADenseScan) {
    // The requirement's loss is Lb at 90 % received at station 2 (station 1 transmitting).
    const double lb90 = run({90}).stations[1].atPercents[0].lbDb;
    const itur::LinkBudget budget{0, 0, -lb90 - 1, -lb90};
    const PlanMechanisms m = run({}, 0.0, budget);
    ASSERT_TRUE(m.stations[1].availability);
    const itur::StationAvailability& a = *m.stations[1].availability;
    ASSERT_EQ(a.bound, itur::AvailabilityBound::None);
    std::vector<double> scan;
    for (double p = 80; p <= 99.5; p += 0.01) scan.push_back(p);
    const PlanMechanisms dense = run(scan);
    double lastMet = 0;
    double previous = 0;
    for (const MechanismLosses& l : dense.stations[1].atPercents) {
        EXPECT_GE(l.lbDb, previous - 1e-9) << l.percent;  // Lb never falls as p rises
        previous = l.lbDb;
        if (l.lbDb <= lb90) lastMet = l.percent;
    }
    EXPECT_NEAR(*a.percent, 90, 1e-5);
    EXPECT_NEAR(*a.percent, lastMet, 0.01 + 1e-9);
    // Station 1 receives 1 dB more margin from the budget: a higher availability.
    ASSERT_TRUE(m.stations[0].availability && m.stations[0].availability->percent);
    EXPECT_GT(*m.stations[0].availability->percent, 80);
}

TEST_F(MechanismRunTest, APathTooShortForTheMethodIsLeftOutWithTheReason) {
    points_.resize(8);
    path_.points = points_;
    const PlanMechanisms m = run({50});
    EXPECT_EQ(m.skip, MechanismSkip::Refused);
    EXPECT_NE(m.reason.find("more than 10 profile points"), std::string::npos);
}

}  // namespace
}  // namespace tropolink
