#include "itur/availability.h"

#include <gtest/gtest.h>

#include <array>

namespace tropolink::itur {
namespace {

// The start positions of the sliders: 432 MHz, 250 km, 15 dBi, N0 310.
ItuLink startLink() {
    constexpr StationSite site{0.010, 0.005, 5};
    ItuLink link;
    link.geometry = geometryFromSites(site, site, 250, effectiveEarthRadiusKm(40));
    link.frequencyMhz = 432;
    link.gain1Dbi = 15;
    link.gain2Dbi = 15;
    link.surfaceRefractivity = 310;
    return link;
}

// Uneven on purpose: each S/N must use the other station's EIRP and its own sensitivity.
constexpr LinkBudget kBudget{20, 23, -180, -184};

TEST(Availability, SignalToNoiseUsesTheOtherStationsEirp) {
    EXPECT_DOUBLE_EQ(snrAtStation1(kBudget, 190), 23 - 190 + 180);
    EXPECT_DOUBLE_EQ(snrAtStation2(kBudget, 190), 20 - 190 + 184);
}

TEST(Availability, RowsInTheOrderGivenWithFadeMarginsFromTheMedian) {
    const std::array<double, 3> percents{99.9, 50, 90};
    const AvailabilityAnswer a = answerAvailability(startLink(), kBudget, percents, std::nullopt);
    for (const MethodAnswer* m : {&a.p617, &a.p2001}) {
        ASSERT_EQ(m->rows.size(), 3U);
        EXPECT_EQ(m->rows[0].percent, 99.9);
        EXPECT_EQ(*m->rows[1].fadeMargin, 0);
        EXPECT_GT(*m->rows[0].fadeMargin, *m->rows[2].fadeMargin);
        EXPECT_GT(*m->rows[2].fadeMargin, 0);
        EXPECT_DOUBLE_EQ(*m->rows[0].snrAtStation2, snrAtStation2(kBudget, *m->rows[0].loss));
        EXPECT_FALSE(m->availability.has_value());
    }
    EXPECT_GT(*a.commonVolumeHeightKm, 0);
}

TEST(Availability, FindsTheLastPercentageThatMeetsTheRequirement) {
    const ItuLink link = startLink();
    for (const ItuMethod method : kItuMethods) {
        // A requirement that the median meets and the 99.9 % loss does not.
        const double required = (snrAtStation1(kBudget, methodLoss(method, link, 50).lossDb) +
                                 snrAtStation1(kBudget, methodLoss(method, link, 99.9).lossDb)) /
                                2;
        const StationAvailability a = stationAvailability(method, link, kBudget, 1, required);
        ASSERT_EQ(a.bound, AvailabilityBound::None);
        EXPECT_GT(*a.percent, 50);
        EXPECT_LT(*a.percent, 99.9);
        EXPECT_GE(snrAtStation1(kBudget, methodLoss(method, link, *a.percent).lossDb), required);
        EXPECT_LT(snrAtStation1(kBudget, methodLoss(method, link, *a.percent + 1e-6).lossDb), required);
        EXPECT_DOUBLE_EQ(*a.outageMinutesPerYear, (100 - *a.percent) / 100 * 525960);
    }
}

TEST(Availability, RequirementsMetOrMissedEverywhere) {
    const ItuLink link = startLink();
    for (const ItuMethod method : kItuMethods) {
        EXPECT_EQ(stationAvailability(method, link, kBudget, 2, -50).bound, AvailabilityBound::Above);
        const StationAvailability never = stationAvailability(method, link, kBudget, 2, 100);
        EXPECT_EQ(never.bound, AvailabilityBound::Below);
        EXPECT_FALSE(never.percent.has_value());
        EXPECT_FALSE(never.outageMinutesPerYear.has_value());
    }
}

TEST(Availability, LineOfSightGivesNoFigures) {
    ItuLink link = startLink();
    const StationSite high{10, 0.005, 5};
    link.geometry = geometryFromSites(high, high, 250, link.geometry.effectiveEarthRadiusKm);
    const std::array<double, 1> percents{50};
    const AvailabilityAnswer a = answerAvailability(link, kBudget, percents, 10.0);
    EXPECT_FALSE(a.commonVolumeHeightKm.has_value());
    for (const MethodAnswer* m : {&a.p617, &a.p2001}) {
        EXPECT_FALSE(m->rows[0].loss.has_value());
        EXPECT_FALSE(m->rows[0].snrAtStation1.has_value());
        EXPECT_EQ((*m->availability)[0].bound, AvailabilityBound::LineOfSight);
        EXPECT_EQ((*m->availability)[1].bound, AvailabilityBound::LineOfSight);
        EXPECT_EQ(m->rows[0].verdict, MethodVerdict::LineOfSight);
    }
}

// The sliders allowed a 10 km obstruction 1 m from station 2: a scatter
// angle of 2.2e6 mrad, infinite P.617 losses, and an availability of 50 %.
TEST(Availability, OutOfRangeGivesNoFigureAndNoAvailability) {
    ItuLink link = startLink();
    link.geometry = geometryFromSites({0.010, 4.987, 1}, {7.765, 10, 0}, 2000, effectiveEarthRadiusKm(80));
    const std::array<double, 2> percents{50, 99.99};
    const AvailabilityAnswer a = answerAvailability(link, kBudget, percents, 0.0);
    for (const MethodAnswer* m : {&a.p617, &a.p2001}) {
        for (const PercentFigures& row : m->rows) {
            EXPECT_EQ(row.verdict, MethodVerdict::OutOfRange);
            EXPECT_EQ(row.reason, OutOfRangeReason::ScatterAngle);
            EXPECT_FALSE(row.loss || row.fadeMargin || row.snrAtStation1 || row.snrAtStation2);
        }
        for (const StationAvailability& s : *m->availability) {
            EXPECT_EQ(s.bound, AvailabilityBound::OutOfRange);
            EXPECT_FALSE(s.percent || s.outageMinutesPerYear);
        }
    }
}

}  // namespace
}  // namespace tropolink::itur
