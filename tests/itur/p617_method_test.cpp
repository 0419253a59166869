#include "itur/p617_method.h"

#include <gtest/gtest.h>

#include <cmath>
#include <stdexcept>

#include "itur/shared_terms.h"
#include "reference_vectors.h"

namespace tropolink::itur {
namespace {

using testing_support::p617PathOf;
using testing_support::referenceVectors;

TEST(P617Method, PublishedVectorsWithBothAngleTerms) {
    const nlohmann::json& all = referenceVectors();
    const double tolerance = all.at("p617ToleranceDb");
    double worst = 0;
    for (const nlohmann::json& v : all.at("p617")) {
        P617Path path = p617PathOf(all.at("p617Paths").at(v.at("path").get<std::string>()));
        for (const bool revised : {true, false}) {
            path.revisedAngleTerm = revised;
            const MethodLoss loss = p617Loss(path, v.at("p"));
            const double expected = v.at(revised ? "revised_db" : "in_force_db");
            ASSERT_EQ(loss.verdict, MethodVerdict::Valid);
            EXPECT_NEAR(loss.lossDb, expected, tolerance) << v.dump() << ", revised " << revised;
            worst = std::max(worst, std::abs(loss.lossDb - expected));
        }
    }
    RecordProperty("worstDifferenceDb", testing::PrintToString(worst));
}

TEST(P617Method, CommonVolumeHeightOfTheVectors) {
    const nlohmann::json& all = referenceVectors();
    for (const auto& [name, path] : all.at("p617Paths").items())
        EXPECT_NEAR(commonVolumeHeightKm(p617PathOf(path)), path.at("h0_km").get<double>(),
                    all.at("h0ToleranceKm").get<double>())
            << name;
}

P617Path row1() { return p617PathOf(referenceVectors().at("p617Paths").at("row1")); }

TEST(P617Method, MedianHasNoTimeTermAndTheTailsAreSymmetric) {
    const P617Path path = row1();
    const double median = p617Loss(path, 50).lossDb;
    const double below = p617Loss(path, 10).lossDb;
    const double above = p617Loss(path, 90).lossDb;
    EXPECT_NEAR(median - below, above - median, 1e-9);
    EXPECT_GT(above, median);
}

// 1000 · 100 / 10000 = 10 mrad exactly, so θ = 10 + θt + θr. Antennas 1 km
// up, whose smooth-earth horizons lie at −14 mrad.
P617Path flatPath(double thetaTMrad, double thetaRMrad) {
    return {.fMhz = 2000, .dKm = 100, .aeKm = 10000, .thetaTMrad = thetaTMrad, .thetaRMrad = thetaRMrad, .htsM = 1000,
            .hrsM = 1000, .gtDbi = 0, .grDbi = 0, .n0 = 310, .deltaN = 40, .hsKm = 0, .revisedAngleTerm = false};
}

TEST(P617Method, NoFigureOnALineOfSightPath) {
    for (const double thetaR : {-6.0, -7.0})
        for (const bool revised : {true, false}) {
            P617Path path = flatPath(-4, thetaR);
            path.revisedAngleTerm = revised;
            const MethodLoss loss = p617Loss(path, 50);
            EXPECT_EQ(loss.verdict, MethodVerdict::LineOfSight);
            EXPECT_FALSE(loss.value().has_value());
        }
    EXPECT_EQ(p617Loss(flatPath(-4.95, -4.95), 50).verdict, MethodVerdict::Valid);
}

TEST(P617Method, FlooredAtFreeSpaceCloseToGrazing) {
    // θ = 1e-4 mrad: 35·log θ alone is −140 dB.
    EXPECT_DOUBLE_EQ(p617Loss(flatPath(-4.99995, -4.99995), 50).lossDb, freeSpaceLossDb(2, 100));
}

// p = 0 and 100 took a logarithm of 0 and gave an infinite loss.
TEST(P617Method, RefusesPercentagesOutsideTheOpenInterval) {
    for (const double p : {0.0, 100.0, -1.0, 100.5, std::nan("")})
        EXPECT_THROW(p617Loss(row1(), p), std::domain_error) << p;
    for (const double p : {1e-9, 100 - 1e-9}) EXPECT_TRUE(std::isfinite(p617Loss(row1(), p).lossDb)) << p;
}

TEST(P617Method, DomainOfAngleHeightAndTerms) {
    struct Case {
        const char* what;
        P617Path path;
        MethodVerdict verdict;
        OutOfRangeReason reason;
    };
    P617Path wide = flatPath(-4, 194);  // θ = 200 mrad exactly
    P617Path wider = flatPath(-4, 194 + 1e-9);
    P617Path zeroFrequency = row1();
    zeroFrequency.fMhz = 0;
    P617Path behind = flatPath(10, -6);  // β < 0: the rays cross behind a station, h0 ≈ −0.06 km
    behind.htsM = 10;
    behind.hrsM = 10;
    P617Path high = row1();  // the common volume starts at about 20.5 km
    high.htsM = 20000;
    high.hrsM = 20000;
    const Case cases[] = {
        {"200 mrad", wide, MethodVerdict::Valid, OutOfRangeReason::None},
        {"just above 200 mrad", wider, MethodVerdict::OutOfRange, OutOfRangeReason::ScatterAngle},
        {"crossing below sea level", behind, MethodVerdict::OutOfRange, OutOfRangeReason::CommonVolumeHeight},
        {"crossing above 20 km", high, MethodVerdict::OutOfRange, OutOfRangeReason::CommonVolumeHeight},
        {"frequency 0", zeroFrequency, MethodVerdict::OutOfRange, OutOfRangeReason::NotFinite},
    };
    for (const Case& c : cases) {
        const MethodLoss loss = p617Loss(c.path, 99.99);
        EXPECT_EQ(loss.verdict, c.verdict) << c.what << ", h0 " << commonVolumeHeightKm(c.path);
        EXPECT_EQ(loss.reason, c.reason) << c.what;
        EXPECT_EQ(loss.value().has_value(), c.verdict == MethodVerdict::Valid) << c.what;
    }
}

}  // namespace
}  // namespace tropolink::itur
