#include "itur/p2001_method.h"

#include <gtest/gtest.h>

#include <array>

#include "itur/shared_terms.h"

namespace tropolink::itur {
namespace {

struct Path {
    double dKm;
    double thetaERad;
    double thetaTMrad;
    double thetaRMrad;
    double aeKm;
    ClimateZone zone;
};

constexpr Path kProf4{88.891, 0.00960890906741, 4.183610089, -12.61120861, 9250.894079, ClimateZone::Desert};
constexpr Path kB2iseac{235.1,        0.0271852017446, -13.72378393,
                        -5.716448391, 8648.087375,     ClimateZone::MaritimeTemperateOverLand};

struct Vector {
    const Path* path;
    double fGhz;
    double p;
    double lossDb;
};

// The published validation examples, gains 0 dBi.
constexpr std::array<Vector, 6> kVectors{{
    {&kProf4, 0.2, 1, 148.015659},
    {&kProf4, 2, 10, 184.186621},
    {&kProf4, 2, 50, 195.749797},
    {&kProf4, 2, 99.9, 222.834169},
    {&kB2iseac, 2, 1, 185.464175},
    {&kB2iseac, 0.03, 50, 148.744344},
}};

std::optional<double> lossOn(const Path& g, double fGhz, double p, double gain = 0) {
    return p2001Loss(fGhz, p, g.dKm, g.thetaERad, g.thetaTMrad, g.thetaRMrad, g.aeKm, g.zone, gain, gain);
}

TEST(P2001Method, PublishedVectors) {
    double worst = 0;
    for (const Vector& v : kVectors) {
        const auto loss = lossOn(*v.path, v.fGhz, v.p);
        ASSERT_TRUE(loss.has_value());
        EXPECT_NEAR(*loss, v.lossDb, 1e-5) << "f " << v.fGhz << " GHz, p " << v.p;
        worst = std::max(worst, std::abs(*loss - v.lossDb));
    }
    RecordProperty("worstDifferenceDb", testing::PrintToString(worst));
}

TEST(P2001Method, GainsAddTheCouplingLoss) {
    const double without = *lossOn(kB2iseac, 2, 1);
    EXPECT_NEAR(*lossOn(kB2iseac, 2, 1, 20) - without, couplingLossDb(20, 20) - couplingLossDb(0, 0), 1e-12);
}

TEST(P2001Method, NoFigureOnALineOfSightPath) {
    // θ = 1 − 0.5 − 0.5 = 0 exactly: equality counts as line of sight.
    EXPECT_FALSE(p2001Loss(2, 50, 50, 0.001, -0.5, -0.5, 8500, ClimateZone::Desert, 0, 0).has_value());
    EXPECT_FALSE(p2001Loss(2, 50, 50, 0.001, -1, -0.5, 8500, ClimateZone::Desert, 0, 0).has_value());
    EXPECT_TRUE(p2001Loss(2, 50, 50, 0.001, -0.4, -0.5, 8500, ClimateZone::Desert, 0, 0).has_value());
}

TEST(P2001Method, NeverBelowFreeSpace) {
    // A short, low-frequency sub-tropical path far below the median: the
    // time term alone would take the loss 15 dB under free space.
    const auto deepFade = [](double p) {
        return *p2001Loss(0.03, p, 10, 1e-4, 1e-3, 1e-3, 8500, ClimateZone::MaritimeSubTropical, 0, 0);
    };
    EXPECT_DOUBLE_EQ(deepFade(0.001), freeSpaceLossDb(0.03, 10));
    EXPECT_GT(deepFade(50), freeSpaceLossDb(0.03, 10) + 20);
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
        const auto below = p2001Loss(2, 90, 300, (theta - 1e-9) / 1000, 0, 0, kAeKm, e.zone, 0, 0);
        const auto above = p2001Loss(2, 90, 300, (theta + 1e-9) / 1000, 0, 0, kAeKm, e.zone, 0, 0);
        EXPECT_NEAR(*below, *above, 0.05) << climateZoneName(e.zone) << " at ds " << e.dsKm;
    }
}

TEST(P2001Method, ZonesDifferAndLossRisesWithPercentage) {
    for (int z = 1; z <= kClimateZoneCount; ++z) {
        const Path path{kB2iseac.dKm,        kB2iseac.thetaERad, kB2iseac.thetaTMrad,
                        kB2iseac.thetaRMrad, kB2iseac.aeKm,      static_cast<ClimateZone>(z)};
        double previous = 0;
        for (const double p : {0.001, 1.0, 50.0, 90.0, 99.9, 99.999}) {
            const double loss = *lossOn(path, 2, p);
            EXPECT_GT(loss, previous) << climateZoneName(path.zone) << " p " << p;
            previous = loss;
        }
    }
    EXPECT_EQ(climateZoneName(ClimateZone::MaritimeTemperateOverSea), "maritime temperate, over sea");
}

}  // namespace
}  // namespace tropolink::itur
