#include "itur/method_domain.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <stdexcept>

namespace tropolink::itur {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
const double kNaN = std::nan("");

double above(double x) { return std::nextafter(x, kInf); }
double below(double x) { return std::nextafter(x, -kInf); }

TEST(MethodDomain, ScatterAngleAboveZeroAndAtMost200Mrad) {
    struct Case {
        double thetaMrad;
        MethodVerdict verdict;
    };
    const Case cases[] = {
        {-1, MethodVerdict::LineOfSight},          {0, MethodVerdict::LineOfSight},
        {above(0), MethodVerdict::Valid},          {200, MethodVerdict::Valid},
        {above(200), MethodVerdict::OutOfRange},   {2240130.9, MethodVerdict::OutOfRange},
        {kInf, MethodVerdict::OutOfRange},         {kNaN, MethodVerdict::OutOfRange},
    };
    for (const Case& c : cases) {
        const MethodLoss d = angleDomain(c.thetaMrad);
        EXPECT_EQ(d.verdict, c.verdict) << c.thetaMrad;
        EXPECT_EQ(d.reason == OutOfRangeReason::ScatterAngle, c.verdict == MethodVerdict::OutOfRange) << c.thetaMrad;
    }
}

TEST(MethodDomain, CommonVolumeFrom0To20Km) {
    for (const double h : {0.0, 20.0, 7.5}) EXPECT_EQ(heightDomain(h).verdict, MethodVerdict::Valid) << h;
    for (const double h : {below(0), above(20), -5993.0, kNaN}) {
        EXPECT_EQ(heightDomain(h).verdict, MethodVerdict::OutOfRange) << h;
        EXPECT_EQ(heightDomain(h).reason, OutOfRangeReason::CommonVolumeHeight) << h;
    }
}

TEST(MethodDomain, OnlyFiniteLossesAreFigures) {
    EXPECT_EQ(*finiteLoss(250.5).value(), 250.5);
    for (const double loss : {kInf, -kInf, kNaN}) {
        EXPECT_FALSE(finiteLoss(loss).value().has_value()) << loss;
        EXPECT_EQ(finiteLoss(loss).reason, OutOfRangeReason::NotFinite) << loss;
    }
}

TEST(MethodDomain, PercentStrictlyBetween0And100) {
    for (const double p : {0.0, 100.0, -0.0, kNaN, kInf, -kInf, above(100)})
        EXPECT_THROW(requirePercent(p), std::domain_error) << p;
    for (const double p : {above(0), below(100), 50.0}) EXPECT_NO_THROW(requirePercent(p)) << p;
}

}  // namespace
}  // namespace tropolink::itur
