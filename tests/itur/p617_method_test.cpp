#include "itur/p617_method.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>

#include "itur/shared_terms.h"

namespace tropolink::itur {
namespace {

struct Vector {
    double fMhz;
    double p;
    double dKm;
    double aeKm;
    double htsM;
    double hrsM;
    double thetaTMrad;
    double thetaRMrad;
    double gtDbi;
    double grDbi;
    double n0;
    double deltaN;
    double hsKm;
    double h0Km;
    double revisedLossDb;  // angle term 17.5·log(θ² + 4)
    double inForceLossDb;  // angle term 35·log θ
};

constexpr std::array<Vector, 3> kVectors{{
    {2000, 0.01, 212.5772, 9105.643, 39.64, 11.80, -2.281297, 0.301530, 10, 22, 331.8403, 47.1534, 0, 0.53333, 182.1422,
     182.0759},
    {2000, 50, 212.5772, 9105.643, 39.64, 11.80, -2.281297, 0.301530, 10, 22, 331.8403, 47.1534, 0, 0.53333, 208.0898,
     208.0235},
    {6000, 1, 96.2, 8401.694, 407, 515, 45.937903, -2.361950, 0, 0, 324.6912, 37.3498, 0.38156, 0.77097, 210.1355,
     210.1254},
}};

std::optional<double> lossOf(const Vector& v, bool revised) {
    return p617Loss(v.fMhz, v.dKm, v.thetaTMrad, v.thetaRMrad, v.htsM, v.hrsM, v.gtDbi, v.grDbi, v.n0, v.deltaN, v.hsKm,
                    v.p, v.aeKm, revised);
}

TEST(P617Method, PublishedVectorsWithBothAngleTerms) {
    double worst = 0;
    for (const Vector& v : kVectors) {
        for (const bool revised : {true, false}) {
            const auto loss = lossOf(v, revised);
            const double expected = revised ? v.revisedLossDb : v.inForceLossDb;
            ASSERT_TRUE(loss.has_value());
            EXPECT_NEAR(*loss, expected, 2e-4) << "f " << v.fMhz << " MHz, p " << v.p << ", revised " << revised;
            worst = std::max(worst, std::abs(*loss - expected));
        }
    }
    RecordProperty("worstDifferenceDb", testing::PrintToString(worst));
}

TEST(P617Method, CommonVolumeHeightOfTheVectors) {
    for (const Vector& v : kVectors)
        EXPECT_NEAR(commonVolumeHeightKm(v.dKm, v.thetaTMrad, v.thetaRMrad, v.htsM, v.hrsM, v.aeKm), v.h0Km, 5e-6);
}

TEST(P617Method, MedianHasNoTimeTermAndTheTailsAreSymmetric) {
    Vector v = kVectors[0];
    v.p = 50;
    const double median = *lossOf(v, false);
    v.p = 10;
    const double below = *lossOf(v, false);
    v.p = 90;
    const double above = *lossOf(v, false);
    EXPECT_NEAR(median - below, above - median, 1e-9);
    EXPECT_GT(above, median);
}

TEST(P617Method, NoFigureOnALineOfSightPath) {
    // 1000 · 100 / 10000 = 10 mrad exactly, so θ is exactly 0, or below it.
    for (const double thetaR : {-6.0, -7.0})
        for (const bool revised : {true, false})
            EXPECT_FALSE(p617Loss(2000, 100, -4, thetaR, 10, 10, 0, 0, 310, 40, 0, 50, 10000, revised).has_value());
    EXPECT_TRUE(p617Loss(2000, 100, -4, -5.9, 10, 10, 0, 0, 310, 40, 0, 50, 10000, false).has_value());
}

TEST(P617Method, FlooredAtFreeSpaceCloseToGrazing) {
    // θ = 1e-4 mrad: 35·log θ alone is −140 dB.
    const auto loss = p617Loss(2000, 100, -4, -5.9999, 10, 10, 0, 0, 310, 40, 0, 50, 10000, false);
    EXPECT_DOUBLE_EQ(*loss, freeSpaceLossDb(2, 100));
}

TEST(P617Method, GroundHeightLowersTheMeteorologicalTerm) {
    Vector v = kVectors[1];
    const double atSeaLevel = *lossOf(v, false);
    v.hsKm = 1;
    EXPECT_NEAR(atSeaLevel - *lossOf(v, false), 0.18 * v.n0 * (1 - std::exp(-1 / 7.35)), 1e-9);
}

}  // namespace
}  // namespace tropolink::itur
