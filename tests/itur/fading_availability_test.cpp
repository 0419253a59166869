#include "itur/fading_availability.h"

#include <gtest/gtest.h>

#include <array>
#include <optional>
#include <stdexcept>
#include <utility>
#include <vector>

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

constexpr LinkBudget kBudget{20, 23, -180, -184};
constexpr std::array<double, 3> kPercents{50, 99.9, 99.99};
const FadingRequest kDualMaximalRatio{{2, Combiner::MaximalRatio, 0}, 99.95};

TEST(FadingAvailability, HourlyMedianOnlyFiguresKeepTheirValues) {
    const AvailabilityAnswer today = answerAvailability(startLink(), kBudget, kPercents, 10.0);
    const AvailabilityAnswer faded = answerAvailability(startLink(), kBudget, kPercents, 10.0, kDualMaximalRatio);
    for (const auto& [a, b] : {std::pair{&today.p617, &faded.p617}, std::pair{&today.p2001, &faded.p2001}}) {
        EXPECT_FALSE(a->fading.has_value());
        ASSERT_TRUE(b->fading.has_value());
        for (std::size_t i = 0; i < kPercents.size(); ++i) EXPECT_EQ(a->rows[i].loss, b->rows[i].loss);
        for (std::size_t s = 0; s < 2; ++s) EXPECT_EQ((*a->availability)[s].percent, (*b->availability)[s].percent);
    }
}

TEST(FadingAvailability, FiguresOfEachMethodAndStation) {
    const ItuLink link = startLink();
    for (const ItuMethod method : kItuMethods) {
        const double required = snrAtStation1(kBudget, methodLoss(method, link, 50).lossDb) - 30;
        const MethodFading f = *methodFading(method, link, kBudget, required, kDualMaximalRatio);
        const FadeNodes nodes = *methodFadeNodes(method, link);
        for (std::size_t i = 0; i < kImprovementPercents.size(); ++i) {
            const RequiredMargins& r = f.atImprovementPercents[i];
            EXPECT_EQ(r.percent, kImprovementPercents[i]);
            EXPECT_NEAR(r.hourlyMedianOnlyDb,
                        methodLoss(method, link, r.percent).lossDb - methodLoss(method, link, 50).lossDb, 1e-12);
            // Fading costs one receiver margin; two branches give some of it back.
            EXPECT_GT(r.oneReceiverDb, r.hourlyMedianOnlyDb);
            EXPECT_GT(r.improvementDb(), 0);
            EXPECT_NEAR(yearlyOutage(nodes, r.withDiversityDb, kDualMaximalRatio.diversity).availabilityPercent(),
                        r.percent, 1e-6);
        }
        EXPECT_GT(f.atImprovementPercents[1].improvementDb(), f.atImprovementPercents[0].improvementDb());
        ASSERT_TRUE(f.atRequiredPercent.has_value());
        EXPECT_EQ(f.atRequiredPercent->percent, 99.95);
        ASSERT_TRUE(f.stations.has_value());
        for (int station = 1; station <= 2; ++station) {
            const StationFading& s = (*f.stations)[static_cast<std::size_t>(station - 1)];
            const double medianLoss = methodLoss(method, link, 50).lossDb;
            EXPECT_DOUBLE_EQ(s.medianMarginDb, (station == 1 ? snrAtStation1(kBudget, medianLoss)
                                                             : snrAtStation2(kBudget, medianLoss)) - required);
            EXPECT_GT(s.withDiversity.percent, s.oneReceiver.percent);
            EXPECT_NEAR(s.oneReceiver.outageMinutesPerYear, (100 - s.oneReceiver.percent) / 100 * kMinutesPerYear,
                        1e-6);
        }
    }
}

TEST(FadingAvailability, OneReceiverAskedForImprovesNothing) {
    const MethodFading f = *methodFading(ItuMethod::P617, startLink(), kBudget, std::nullopt, {{}, std::nullopt});
    for (const RequiredMargins& r : f.atImprovementPercents) EXPECT_EQ(r.improvementDb(), 0);
    EXPECT_FALSE(f.atRequiredPercent.has_value());
    EXPECT_FALSE(f.stations.has_value());
}

TEST(FadingAvailability, NoFiguresWhereTheMethodGivesNone) {
    ItuLink link = startLink();
    const StationSite high{10, 0.005, 5};
    link.geometry = geometryFromSites(high, high, 250, link.geometry.effectiveEarthRadiusKm);
    const AvailabilityAnswer a = answerAvailability(link, kBudget, kPercents, 10.0, kDualMaximalRatio);
    EXPECT_FALSE(a.p617.fading.has_value());
    EXPECT_FALSE(a.p2001.fading.has_value());
    EXPECT_FALSE(methodFadeNodes(ItuMethod::P617, link).has_value());
}

TEST(FadingAvailability, RefusesInvalidRequests) {
    const ItuLink link = startLink();
    for (const double percent : {0.0, 100.0, -1.0, 120.0})
        EXPECT_THROW(methodFading(ItuMethod::P617, link, kBudget, 10.0, {{}, percent}), std::domain_error) << percent;
    EXPECT_THROW(methodFading(ItuMethod::P2001, link, kBudget, 10.0, {{4, Combiner::Selection, 0.2}, std::nullopt}),
                 std::invalid_argument);
}

// A table of margins shows each percentage once; the required one is marked,
// in place when it is one of the improvement percentages.
TEST(MarginRowsTest, EachPercentageOnceWithTheRequiredOneMarked) {
    struct Case {
        std::optional<double> required;
        std::vector<std::pair<double, bool>> rows;
    };
    const Case cases[] = {{std::nullopt, {{99.9, false}, {99.99, false}}},
                          {99.9, {{99.9, true}, {99.99, false}}},
                          {99.99, {{99.9, false}, {99.99, true}}},
                          {99.5, {{99.9, false}, {99.99, false}, {99.5, true}}},
                          {99.99000001, {{99.9, false}, {99.99, false}, {99.99000001, true}}}};
    for (const Case& c : cases) {
        MethodFading f;
        for (const double p : kImprovementPercents) f.atImprovementPercents.push_back({p, 0, 0, 0});
        if (c.required) f.atRequiredPercent = RequiredMargins{*c.required, 0, 0, 0};
        std::vector<std::pair<double, bool>> rows;
        for (const MarginRow& row : marginRows(f)) rows.emplace_back(row.margins->percent, row.required);
        EXPECT_EQ(rows, c.rows) << (c.required ? *c.required : 0.0);
    }
}

}  // namespace
}  // namespace tropolink::itur
