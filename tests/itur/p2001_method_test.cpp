#include "itur/p2001_method.h"

#include <gtest/gtest.h>

#include <cmath>
#include <stdexcept>

#include "itur/shared_terms.h"
#include "reference_vectors.h"

namespace tropolink::itur {
namespace {

using testing_support::p2001PathOf;
using testing_support::referenceVectors;

TEST(P2001Method, PublishedVectors) {
    const nlohmann::json& all = referenceVectors();
    const double tolerance = all.at("p2001ToleranceDb");
    double worst = 0;
    for (const nlohmann::json& v : all.at("p2001")) {
        const P2001Path path = p2001PathOf(all.at("p2001Paths").at(v.at("path").get<std::string>()), v.at("f_mhz"));
        const MethodLoss loss = p2001Loss(path, v.at("p"));
        ASSERT_EQ(loss.verdict, MethodVerdict::Valid);
        EXPECT_NEAR(loss.lossDb, v.at("loss_db").get<double>(), tolerance) << v.dump();
        worst = std::max(worst, std::abs(loss.lossDb - v.at("loss_db").get<double>()));
    }
    RecordProperty("worstDifferenceDb", testing::PrintToString(worst));
}

// 1000 · 50 / 50000 = 1 mrad exactly, so θ = 1 + θt + θr.
P2001Path path(double thetaTMrad, double thetaRMrad, ClimateZone zone = ClimateZone::Desert, double fMhz = 2000,
               double dKm = 50, double aeKm = 50000) {
    return {.fMhz = fMhz, .dKm = dKm, .aeKm = aeKm, .thetaTMrad = thetaTMrad, .thetaRMrad = thetaRMrad,
            .zone = zone, .gtDbi = 0, .grDbi = 0};
}

TEST(P2001Method, NoFigureOnALineOfSightPath) {
    // Equality counts as line of sight.
    EXPECT_EQ(p2001Loss(path(-0.5, -0.5), 50).verdict, MethodVerdict::LineOfSight);
    EXPECT_EQ(p2001Loss(path(-1, -0.5), 50).verdict, MethodVerdict::LineOfSight);
    EXPECT_EQ(p2001Loss(path(-0.4, -0.5), 50).verdict, MethodVerdict::Valid);
}

TEST(P2001Method, NeverBelowFreeSpace) {
    // A short, low-frequency sub-tropical path far below the median: the
    // time term alone would take the loss 15 dB under free space.
    const P2001Path deep = path(-0.537, -0.537, ClimateZone::MaritimeSubTropical, 30, 10, 8500);  // θ ≈ 0.1 mrad
    EXPECT_DOUBLE_EQ(p2001Loss(deep, 0.001).lossDb, freeSpaceLossDb(0.03, 10));
    EXPECT_GT(p2001Loss(deep, 50).lossDb, freeSpaceLossDb(0.03, 10) + 20);
}

// A wrong coefficient shows as a step where a zone's Y90 changes formula.
TEST(P2001Method, EveryZoneContinuousWhereItsY90ChangesFormula) {
    constexpr double kAeKm = 8500;
    struct Edge {
        ClimateZone zone;
        double dsKm;
    };
    for (const Edge e : {Edge{ClimateZone::Equatorial, 100}, Edge{ClimateZone::Equatorial, 1000},
                         Edge{ClimateZone::MaritimeSubTropical, 100}, Edge{ClimateZone::MaritimeSubTropical, 465},
                         Edge{ClimateZone::Desert, 100}, Edge{ClimateZone::Desert, 550}}) {
        const double theta = e.dsKm / (0.001 * kAeKm);
        const double thetaE = 1000 * 300 / kAeKm;
        const double below = p2001Loss(path(theta - thetaE - 1e-9, 0, e.zone, 2000, 300, kAeKm), 90).lossDb;
        const double above = p2001Loss(path(theta - thetaE + 1e-9, 0, e.zone, 2000, 300, kAeKm), 90).lossDb;
        EXPECT_NEAR(below, above, 0.05) << climateZoneName(e.zone) << " at ds " << e.dsKm;
    }
}

TEST(P2001Method, ZonesDifferAndLossRisesWithPercentage) {
    const nlohmann::json& b2iseac = referenceVectors().at("p2001Paths").at("b2iseac");
    for (int z = 1; z <= kClimateZoneCount; ++z) {
        P2001Path g = p2001PathOf(b2iseac, 2000);
        g.zone = static_cast<ClimateZone>(z);
        double previous = 0;
        for (const double p : {0.001, 1.0, 50.0, 90.0, 99.9, 99.999}) {
            const double loss = p2001Loss(g, p).lossDb;
            EXPECT_GT(loss, previous) << climateZoneName(g.zone) << " p " << p;
            previous = loss;
        }
    }
    EXPECT_EQ(climateZoneName(ClimateZone::MaritimeTemperateOverSea), "maritime temperate, over sea");
}

// The nudge keeps p′ inside (0, 100), but p itself must already be there.
TEST(P2001Method, RefusesPercentagesOutsideTheOpenInterval) {
    for (const double p : {0.0, 100.0, -1.0, std::nan("")})
        EXPECT_THROW(p2001Loss(path(1, 1), p), std::domain_error) << p;
}

TEST(P2001Method, DomainOfAngleScatterHeightAndTerms) {
    // On an earth of 8000 km, htrop = 0.125e-6·θ²·8000 reaches 20 km at θ = 141.42... mrad.
    const double edgeTheta = std::sqrt(20 / (0.125e-6 * 8000));
    const double thetaE = 1000 * 100 / 8000.0;
    struct Case {
        const char* what;
        P2001Path path;
        MethodVerdict verdict;
        OutOfRangeReason reason;
    };
    const Case cases[] = {
        {"htrop just under 20 km", path(edgeTheta - thetaE - 1e-9, 0, ClimateZone::Desert, 2000, 100, 8000),
         MethodVerdict::Valid, OutOfRangeReason::None},
        {"htrop just over 20 km", path(edgeTheta - thetaE + 1e-9, 0, ClimateZone::Desert, 2000, 100, 8000),
         MethodVerdict::OutOfRange, OutOfRangeReason::CommonVolumeHeight},
        {"200 mrad on a small earth", path(99, 100, ClimateZone::Desert, 2000, 2, 2000), MethodVerdict::Valid,
         OutOfRangeReason::None},
        {"just above 200 mrad", path(99, 100 + 1e-9, ClimateZone::Desert, 2000, 2, 2000),
         MethodVerdict::OutOfRange, OutOfRangeReason::ScatterAngle},
        {"frequency 0", path(1, 1, ClimateZone::Desert, 0), MethodVerdict::OutOfRange, OutOfRangeReason::NotFinite},
    };
    for (const Case& c : cases) {
        const MethodLoss loss = p2001Loss(c.path, 0.01);
        EXPECT_EQ(loss.verdict, c.verdict) << c.what;
        EXPECT_EQ(loss.reason, c.reason) << c.what;
        EXPECT_EQ(loss.value().has_value(), c.verdict == MethodVerdict::Valid) << c.what;
    }
}

}  // namespace
}  // namespace tropolink::itur
