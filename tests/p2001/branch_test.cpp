// The branches the ITU's examples never reach, each against a value worked
// out by hand from the method's formulas (or, for the rain coefficients, the
// ITU's own table of them).
#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <string_view>

#include "p2001/columns.h"
#include "p2001/inverse_distribution.h"
#include "p2001/rain.h"
#include "p2001/rain_coefficients.h"
#include "p2001/row_evaluation.h"
#include "p2001/spherical_earth.h"
#include "p2001/troposcatter.h"
#include "p2001/zone_runs.h"
#include "test_paths.h"

namespace tropolink::p2001 {
namespace {

using testing_support::evenPath;
using testing_support::temperateMaps;

// With DN_Median 45 N-units/km: ae = 157·6371/112 km.
constexpr double kAeKm = 8930.776785714286;

// ---- Horizontal polarisation ----

// The ITU's table of k and α at elevation 0: (f, kH, αH, kV, αV), 4 digits.
struct RainTableRow {
    double fGhz, kh, alphaH, kv, alphaV;
};
constexpr RainTableRow kRainTable[] = {
    {1, 0.0000259, 0.9691, 0.0000308, 0.8592},
    {10, 0.01217, 1.2571, 0.01129, 1.2156},
    {20, 0.09164, 1.0568, 0.09611, 0.9847},
    {40, 0.4431, 0.8673, 0.4274, 0.8421},
};

TEST(Branches, RainCoefficientsOfEachPolarisation) {
    for (const RainTableRow& t : kRainTable) {
        const RainCoefficients h = rainCoefficients(t.fGhz, 0, Polarisation::Horizontal);
        const RainCoefficients v = rainCoefficients(t.fGhz, 0, Polarisation::Vertical);
        EXPECT_NEAR(h.k / t.kh, 1, 5e-3) << t.fGhz;
        EXPECT_NEAR(h.alpha, t.alphaH, 5e-4) << t.fGhz;
        EXPECT_NEAR(v.k / t.kv, 1, 5e-3) << t.fGhz;
        EXPECT_NEAR(v.alpha, t.alphaV, 5e-4) << t.fGhz;
        // Straight up, the polarisation makes no difference.
        const RainCoefficients hUp = rainCoefficients(t.fGhz, 1.5707963267948966, Polarisation::Horizontal);
        const RainCoefficients vUp = rainCoefficients(t.fGhz, 1.5707963267948966, Polarisation::Vertical);
        EXPECT_NEAR(hUp.k / vUp.k, 1, 1e-12);
        EXPECT_NEAR(hUp.alpha, vUp.alpha, 1e-12);
    }
    // Below 1 GHz k scales with f and α keeps its 1 GHz value.
    const RainCoefficients at1 = rainCoefficients(1, 0.1, Polarisation::Horizontal);
    const RainCoefficients at03 = rainCoefficients(0.3, 0.1, Polarisation::Horizontal);
    EXPECT_DOUBLE_EQ(at03.k, 0.3 * at1.k);
    EXPECT_DOUBLE_EQ(at03.alpha, at1.alpha);
}

TEST(Branches, FirstTermDiffractionOfEachPolarisation) {
    // 100 km, effective heights 50 and 30 m, earth 8 500 km, 100 MHz, 30 % sea.
    SphericalEarthInput in{.dKm = 100,
                           .hteM = 50,
                           .hreM = 30,
                           .aKm = 8500,
                           .fGhz = 0.1,
                           .lambdaM = 2.998,
                           .seaFraction = 0.3,
                           .polarisation = Polarisation::Horizontal};
    EXPECT_NEAR(firstTermLossDb(in, 8500), 44.037427873911625, 1e-9);
    in.polarisation = Polarisation::Vertical;
    EXPECT_NEAR(firstTermLossDb(in, 8500), 44.01424597084332, 1e-9);
}

TEST(Branches, HorizontalPolarisationMovesOnlyItsColumns) {
    PathInput path = evenPath(
        201, 120, [](double d) { return 200 + 150 * std::sin(d / 7); }, 4, 30, 30);
    const Row vertical = computeRow(path, temperateMaps(), 12, 99.99);
    path.polarisation = Polarisation::Horizontal;
    const Row horizontal = computeRow(path, temperateMaps(), 12, 99.99);
    const std::set<std::string_view> moved{"FlagVp", "Ld", "dLdsph", "A1", "A2", "A2t", "A2r", "Lbm1", "Lbm3", "Lb"};
    for (const Column& c : columns()) {
        if (c.kind != ColumnKind::Input && c.kind != ColumnKind::Result) continue;
        if (moved.count(c.name) == 0) {
            EXPECT_EQ(columnValue(horizontal, c), columnValue(vertical, c)) << c.name;
        }
    }
    EXPECT_EQ(horizontal.flagVp, 0);
    EXPECT_NE(horizontal.a2t, vertical.a2t);
}

// ---- Line of sight at median refraction ----

TEST(Branches, LineOfSightAtMedianRefraction) {
    // 30 km of flat ground at sea level, 31 points, antennas 100 m: the
    // clearance is least at the middle, point 16.
    PathInput path = evenPath(
        31, 30, [](double) { return 0.0; }, 4, 100, 100);
    path.tx.latDeg = path.rx.latDeg = 0;  // the mid-point on the equator
    const Row r = computeRow(path, temperateMaps(), 2, 50);
    EXPECT_EQ(r.flagLos50, 1);
    EXPECT_NEAR(r.reff50, kAeKm, 1e-9);
    // θt = θtr = (hrs − hts)/d − 500·d/ae; θr = −θtr − 1000·d/ae.
    EXPECT_NEAR(r.thetat, -1.6795851424698098, 1e-12);
    EXPECT_NEAR(r.thetar, -1.6795851424698098, 1e-12);
    EXPECT_EQ(r.nlt, 16);
    EXPECT_EQ(r.nlr, 16);
    EXPECT_DOUBLE_EQ(r.dlt, 15);
    EXPECT_DOUBLE_EQ(r.dlr, 15);
    // Q0ca over the whole path: dca = 30 km, εca = εp = 0, hca = hlo = 100 m.
    EXPECT_NEAR(r.qoca / 2.1635424960860403, 1, 1e-12);
    // Roughness at the single horizon point: ground 0 under a smooth surface at 0.
    EXPECT_DOUBLE_EQ(r.hm, 0);
}

// ---- Sporadic-E terminal diffraction ----

TEST(Branches, SporadicETerminalDiffraction) {
    // 1 000 km over a plain at sea level; a hill 1 km from the transmitter
    // 200 m above its antenna: θt = 200 − 500·1/ae mrad, just below the
    // one-hop ray (εr1 = 206 mrad), above which its edge stands.
    PathInput path = evenPath(
        1001, 1000, [](double) { return 0.0; }, 4, 20, 20);
    path.heightM[0] = 980;
    path.heightM[1] = 1200;
    const Row r = computeRow(path, temperateMaps(), 0.03, 50);
    EXPECT_NEAR(r.thetat, 199.94401382858433, 1e-9);
    EXPECT_DOUBLE_EQ(r.dlt, 1);
    EXPECT_NEAR(r.lp1t, 5.292018429297865, 1e-9);  // ν1t = −0.0862
    EXPECT_EQ(r.lp1r, 0);
    EXPECT_EQ(r.lp2t, 0);  // the two-hop ray is steeper: ν2t = −3.29
    EXPECT_EQ(r.lp2r, 0);
}

// ---- Climate zones and the TropoClim fallback ----

TEST(Branches, TropoClimFallback) {
    struct Case {
        int cv, tx, rx, zone;
    };
    for (const Case c :
         {Case{3, 5, 1, 3}, Case{0, 5, 2, 2}, Case{0, 2, 5, 2}, Case{0, 0, 2, 2}, Case{0, 5, 0, 5}, Case{0, 0, 0, 0}}) {
        EXPECT_EQ(troposcatterZone(c.cv, c.tx, c.rx), c.zone) << c.cv << c.tx << c.rx;
    }
    MapValues maps = temperateMaps();
    maps.tropoClimCommonVolume = 0;
    maps.tropoClimTx = 1;
    maps.tropoClimRx = 3;
    EXPECT_EQ(computeRow(evenPath(101, 200, [](double) { return 0.0; }), maps, 2, 50).ztropo, 1);
}

TEST(Branches, Y90OfEveryZone) {
    struct Case {
        int zone;
        double dsKm, fGhz, y90;
    };
    // hTrop 1 km for the zones whose Y90 follows the scatter height.
    const Case cases[] = {
        {1, 50, 2, -8.2},
        {1, 500, 2, -4.155},
        {1, 1000, 2, -3.4},
        {3, 99, 2, -10.845},
        {3, 300, 2, -11.345},
        {3, 465, 2, -8.4},
        {4, 300, 2, -7.825929999999999},
        {4, 550, 2, -4},
        {2, 300, 2, -8.861852527649315},
        {5, 300, 10, -8.460746223628545},
        {6, 300, 2, -8.861852527649315},
        {0, 300, 2, -12.115910678396329},
    };
    for (const Case& c : cases) {
        ScatterPath s;
        s.zone = c.zone;
        s.dsKm = c.dsKm;
        s.hTropKm = 1;
        EXPECT_NEAR(y90Db(s, c.fGhz), c.y90, 1e-9) << "zone " << c.zone << " ds " << c.dsKm;
    }
}

TEST(Branches, ZoneConstants) {
    const PathGeometry g = pathGeometry(evenPath(101, 200, [](double) { return 0.0; }), 45);
    const double m[] = {116, 129.6, 119.73, 109.3, 128.5, 119.73, 123.2};
    for (int z = 0; z <= 6; ++z) EXPECT_DOUBLE_EQ(scatterPath(g, z, 0, 0).medianDb, m[z]) << z;
    // Same γ: the zones differ by M alone.
    EXPECT_NEAR(scatterPath(g, 6, 0, 0).distanceLossDb, scatterPath(g, 0, 0, 0).distanceLossDb, 1e-12);
}

// ---- Uneven spacing: the half intervals at a run's two ends ----

TEST(Branches, RunsOnAnUnevenProfile) {
    const std::vector<double> d{0, 1, 3, 6, 10};
    const std::vector<int> z{4, 1, 1, 4, 4};
    // Sea: (3 − 1) + (6 − 3)/2 + (1 − 0)/2 = 4 km of 10.
    EXPECT_DOUBLE_EQ(zoneFraction(d, z, 1), 0.40);
    // Inland: point 1 owns 0.5 km, points 4–5 own (10 − 6) + (6 − 3)/2 = 5.5 km.
    EXPECT_DOUBLE_EQ(longestZoneRunKm(d, z, {4}), 5.5);
    EXPECT_DOUBLE_EQ(longestZoneRunKm(d, z, {3, 4}), 5.5);
    const CoastDistances c = coastDistances(d, z);
    EXPECT_DOUBLE_EQ(c.txKm, 0.5);
    EXPECT_DOUBLE_EQ(c.rxKm, 5.5);
    EXPECT_DOUBLE_EQ(longestZoneRunKm(d, z, {3}), 0);
    EXPECT_DOUBLE_EQ(coastDistances(d, std::vector<int>{4, 4, 4, 4, 4}).txKm, 10);
}

// ---- No rain ----

TEST(Branches, MeltingLayer) {
    EXPECT_EQ(meltingLayerMultiplier(1), 0);
    EXPECT_EQ(meltingLayerMultiplier(-1201), 1);
    EXPECT_NEAR(meltingLayerMultiplier(-100), 2.310246437638379, 1e-12);
    EXPECT_NEAR(meltingLayerMultiplier(-600), 1.8190444106727548, 1e-12);
    // Wholly above the melting layer, wholly below it, and a segment within one 100 m slice.
    EXPECT_EQ(pathAveragedMultiplier(3100, 3500, 3000), 0);
    EXPECT_EQ(pathAveragedMultiplier(100, 500, 3000), 1);
    EXPECT_DOUBLE_EQ(pathAveragedMultiplier(2850, 2870, 3000), meltingLayerMultiplier(2860 - 3000));
}

TEST(Branches, NoRain) {
    const RainSegment low{100, 300, 50, 0.004};
    RainMapValues dry{0, 800, 0.3, 2};  // Pr6 = 0
    RainPath r = rainPath(dry, low, 10, Polarisation::Vertical);
    EXPECT_FALSE(r.rain);
    EXPECT_EQ(rainWaterVapourFactor(r, 0.01), 0);
    EXPECT_EQ(rainFadeExceededPercent(r, -0.1), 100);
    EXPECT_EQ(rainFadeExceededPercent(r, 0), 0);
    // Rain height 360 + 2000 m; the rain's top 2 400 m above it.
    const RainMapValues wet{40, 800, 0.3, 2};
    EXPECT_FALSE(rainPath(wet, {4760, 5000, 50, 0.005}, 10, Polarisation::Vertical).rain);
    EXPECT_TRUE(rainPath(wet, {4759.9, 5000, 50, 0.005}, 10, Polarisation::Vertical).rain);
    // With neither rain nor clear-air fading the fade is a step at 0 dB: the
    // search ends half a last step below it, −5·2^−11 dB.
    EXPECT_EQ(fadeExceeded({&r, ClearAirModel::Troposcatter, 0}, 10), -0.00244140625);
    EXPECT_EQ(fadeExceeded({&r, ClearAirModel::Troposcatter, 0}, 99.9), -0.00244140625);
}

TEST(Branches, NoRainOnAPathAboveTheRain) {
    // Antennas 6 km up, the rain's top at 360 + 2 500 + 2 400 m.
    const Row r = computeRow(evenPath(101, 80, [](double) { return 6000.0; }), temperateMaps(), 20, 99.99);
    EXPECT_EQ(r.fwvr, 0);
    EXPECT_EQ(r.fwvrxt, 0);
    EXPECT_EQ(r.fwvrrx, 0);
    EXPECT_EQ(r.a2t, -0.00244140625);
    EXPECT_EQ(r.a2r, -0.00244140625);
}

}  // namespace
}  // namespace tropolink::p2001
