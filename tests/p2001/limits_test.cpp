// Where the method's formulas divide by zero or leave the reals: the limit,
// with a note, where one exists; the row refused in one line where none does.
// Never NaN, infinity or a fault, over thousands of random paths.
#include <gtest/gtest.h>

#include <cfenv>
#include <cmath>
#include <map>
#include <string>

#include "p2001/bullington_terms.h"
#include "p2001/columns.h"
#include "p2001/input_check.h"
#include "p2001/row_evaluation.h"
#include "random_paths.h"
#include "test_paths.h"

namespace tropolink::p2001 {
namespace {

using testing_support::evenPath;
using testing_support::temperateMaps;

constexpr double kNoFadeDb = -0.00244140625;  // the fade search's result where nothing fades

// 1 000 km over a plain at sea level, antennas 20 m up, with a cliff rising
// `riseM` above each antenna 1 km from it (0: none). A horizon ray counts as
// vertical once its slope plus half the path's angular distance (56 mrad)
// reaches 1570.8 mrad.
PathInput cliffs(double txRiseM, double rxRiseM) {
    PathInput p = evenPath(
        1001, 1000, [](double) { return 0.0; }, 4, 20, 20);
    if (txRiseM > 0) p.heightM[1] = 20 + txRiseM;
    if (rxRiseM > 0) p.heightM[999] = 20 + rxRiseM;
    return p;
}

bool allFinite(const Row& r) {
    for (const Column& c : columns()) {
        if ((c.kind == ColumnKind::Result || c.kind == ColumnKind::Input) && !std::isfinite(columnValue(r, c))) {
            return false;
        }
    }
    return true;
}

TEST(Limits, CommonVolumeOverTheTransmitter) {
    const Row r = computeRow(cliffs(1550, 0), temperateMaps(), 2, 99.99);
    ASSERT_EQ(r.status, RowStatus::Computed) << r.refusal;
    EXPECT_TRUE(r.notes & kNoteTxSegmentEmpty);
    EXPECT_EQ(r.dtcv, 0);
    EXPECT_EQ(r.drcv, 1000);
    EXPECT_EQ(r.hcv, r.hts);
    EXPECT_EQ(r.aotcv + r.awtcv + r.awrtcv, 0);
    EXPECT_EQ(r.fwvrxt, 0);
    EXPECT_EQ(r.a2t, kNoFadeDb);
    EXPECT_TRUE(allFinite(r));
    EXPECT_FALSE(noteText(kNoteTxSegmentEmpty).empty());
}

TEST(Limits, CommonVolumeOverTheReceiver) {
    const Row r = computeRow(cliffs(0, 1550), temperateMaps(), 2, 99.99);
    ASSERT_EQ(r.status, RowStatus::Computed) << r.refusal;
    EXPECT_TRUE(r.notes & kNoteRxSegmentEmpty);
    EXPECT_EQ(r.drcv, 0);
    EXPECT_EQ(r.aorcv + r.awrcv + r.awrrcv, 0);
    EXPECT_EQ(r.fwvrrx, 0);
    EXPECT_EQ(r.a2r, kNoFadeDb);
    EXPECT_TRUE(allFinite(r));
}

TEST(Limits, RefusedWhereNoLimitExists) {
    struct Case {
        const char* what;
        PathInput path;
        const char* reason;
    };
    const Case cases[] = {
        {"both rays vertical", cliffs(1550, 1550), "common volume has no place"},
        {"the transmitter's horizon beyond the vertical", cliffs(1600, 0), "the transmitter's horizon rises at 1599"},
        {"the receiver's horizon beyond the vertical", cliffs(0, 2000), "the receiver's horizon rises at 1999"},
    };
    for (const Case& c : cases) {
        const Row r = computeRow(c.path, temperateMaps(), 2, 50);
        EXPECT_EQ(r.status, RowStatus::Refused) << c.what;
        EXPECT_NE(r.refusal.find(c.reason), std::string::npos) << r.refusal;
        EXPECT_EQ(r.refusal.find('\n'), std::string::npos);
        EXPECT_EQ(r.lb, 0) << c.what;
        EXPECT_EQ(r.ghz, 2) << "a refused row keeps its inputs";
        EXPECT_TRUE(allFinite(r));
    }
}

TEST(Limits, HorizonFallingBeyondTheVertical) {
    // A transmitter 1 544 km up sees the whole path 1 600 mrad below it; the
    // receiver's horizon, 1 600 − 112 mrad, is still below the vertical.
    PathInput path = evenPath(
        1001, 1000, [](double) { return 0.0; }, 4, 1.5444e6, 20);
    const Row r = computeRow(path, temperateMaps(), 2, 50);
    ASSERT_EQ(r.status, RowStatus::Computed) << r.refusal;
    EXPECT_LE(r.thetat, -1570.8);
    EXPECT_TRUE(r.notes & kNoteSteepDownwardHorizon);
    EXPECT_EQ(r.lp1t, 0);
    EXPECT_EQ(r.lp2t, 0);
    EXPECT_TRUE(allFinite(r));
}

TEST(Limits, BullingtonPointOnATerminal) {
    // The transmitter's steepest ray is the line of sight itself: the rays
    // cross over the receiver, where the clearance and sqrt(d1·d2) vanish together.
    const BullingtonPoint overRx = bullingtonCrossing(100, 50, -5, 7, 10);
    EXPECT_TRUE(overRx.atTerminal);
    EXPECT_EQ(overRx.nuRootLambda, 0);
    // Both rays grazing: 0/0 for the crossing.
    const BullingtonPoint grazing = bullingtonCrossing(100, 50, -5, 5, 10);
    EXPECT_TRUE(grazing.atTerminal);
    EXPECT_EQ(grazing.nuRootLambda, 0);
    EXPECT_FALSE(bullingtonCrossing(100, 50, 1, 7, 10).atTerminal);
}

TEST(Limits, RainWithoutStratiformRain) {
    for (const RainMapValues rain : {RainMapValues{40, 900, 1, 2.5}, RainMapValues{40, 0, 0.3, 2.5}}) {
        MapValues maps = temperateMaps();
        maps.rainMid = maps.rainTxSegment = maps.rainRxSegment = rain;
        const Row r = computeRow(evenPath(201, 150, [](double) { return 50.0; }), maps, 20, 99.99);
        ASSERT_EQ(r.status, RowStatus::Computed) << r.refusal;
        EXPECT_TRUE(r.notes & kNoteNoStratiformRain);
        EXPECT_EQ(r.fwvr, 0);
        EXPECT_EQ(r.a2t, kNoFadeDb);
        EXPECT_TRUE(allFinite(r));
    }
}

TEST(Limits, SporadicEHopsBeyond3000Db) {
    // foEs so low at 50 GHz that both hops lose about 3 500 dB, within 20 dB of
    // each other: their powers underflow, their combination does not.
    const PreparedPath path = preparePath(evenPath(101, 10, [](double) { return 0.0; }), temperateMaps());
    const double foEs1 =
        5000 * std::sqrt((40 / (1 + 10.0 / 130 + 0.0016) + 0.2 * (10.0 / 2600) * (10.0 / 2600)) / 3500);
    const double foEs2 = foEs1 * std::sqrt((40 / (1 + 10.0 / 260 + 0.0004)) / (40 / (1 + 10.0 / 130 + 0.0016)));
    Row r;
    evaluateRow(path, frequencyTerms(path, 50), percentTerms(path, 50, {-40, foEs1, foEs2}), r);
    ASSERT_EQ(r.status, RowStatus::Computed) << r.refusal;
    ASSERT_GT(std::min(r.lbes1, r.lbes2), 3300);
    ASSERT_LT(std::fabs(r.lbes1 - r.lbes2), 20);
    const double lm = std::min(r.lbes1, r.lbes2);
    EXPECT_NEAR(r.lbm4, lm - 10 * std::log10(1 + std::pow(10.0, -0.1 * std::fabs(r.lbes1 - r.lbes2))), 1e-9);
}

TEST(Limits, InfiniteLossesRefused) {
    const PreparedPath path = preparePath(evenPath(101, 100, [](double) { return 0.0; }), temperateMaps());
    Row r;
    // foEs extrapolated to 0 MHz: the ionospheric loss divides by it.
    evaluateRow(path, frequencyTerms(path, 0.1), percentTerms(path, 99, {-40, 0, 3}), r);
    EXPECT_EQ(r.status, RowStatus::Refused);
    EXPECT_EQ(r.refusal, "the method's formulas have no real value for GAM1 here");
    // Peaks 80 km high between the horizons: ducting's time percentage
    // underflows to 0, its time-dependent loss is infinite.
    PathInput peaks = evenPath(201, 400, [](double) { return 0.0; });
    peaks.heightM[50] = peaks.heightM[150] = 80000;
    const Row p = computeRow(peaks, temperateMaps(), 2, 50);
    EXPECT_EQ(p.status, RowStatus::Refused);
    EXPECT_EQ(p.refusal, "the method's formulas have no real value for dAat here");
}

// Thousands of random paths, map values anywhere the maps import accepts:
// every row is computed with finite columns and no invalid operation or
// division by zero on the way, or refused for one of the known reasons.
TEST(Limits, RandomPathsNeverFault) {
    testing_support::RandomPaths random(20240601);
    std::map<std::string, int> refusals;
    int computed = 0;
    for (int k = 0; k < 4000; ++k) {
        const auto range = k % 2 == 0 ? testing_support::MapRange::Observed : testing_support::MapRange::Widened;
        const testing_support::RandomCase c = random.next(range);
        std::feclearexcept(FE_ALL_EXCEPT);
        const Row r = computeRow(c.path, c.maps, c.fGhz, c.tpc);
        const bool invalid = std::fetestexcept(FE_INVALID | FE_DIVBYZERO) != 0;
        if (r.status == RowStatus::Refused) {
            ++refusals[r.refusal.substr(0, r.refusal.find(" rises at"))];
            continue;
        }
        ++computed;
        EXPECT_TRUE(allFinite(r)) << "case " << k;
        EXPECT_FALSE(invalid) << "case " << k << ": an invalid operation or a division by zero";
    }
    for (const auto& [reason, count] : refusals) {
        EXPECT_TRUE(reason == "the transmitter's horizon" || reason == "the receiver's horizon" ||
                    reason.find("common volume has no place") != std::string::npos)
            << count << " rows: " << reason;
    }
    EXPECT_GT(computed, 3000);
}

}  // namespace
}  // namespace tropolink::p2001
