// Tables of rows, the column table, the deciding mechanism, the map look-ups,
// and the shortcuts a table takes: each the same as the plain computation.
#include "p2001/rows.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <set>

#include "p2001/columns.h"
#include "p2001/map_lookups.h"
#include "p2001/row_evaluation.h"
#include "p2001/upper_envelope.h"
#include "random_paths.h"
#include "test_paths.h"

namespace tropolink::p2001 {
namespace {

using testing_support::evenPath;
using testing_support::temperateMaps;

TEST(Columns, TheItuTableInItsOrder) {
    const auto all = columns();
    ASSERT_EQ(all.size(), 139u);
    EXPECT_EQ(all.front().name, "FlagVp");
    EXPECT_EQ(all[11].name, "Profile");
    EXPECT_EQ(all.back().name, "Ztropo");
    std::set<std::string_view> names;
    int inputs = 0, results = 0, empty = 0;
    for (const Column& c : all) {
        EXPECT_TRUE(names.insert(c.name).second) << c.name;
        inputs += c.kind == ColumnKind::Input;
        results += c.kind == ColumnKind::Result;
        empty += c.kind == ColumnKind::Empty;
        const bool holds = c.kind == ColumnKind::Input || c.kind == ColumnKind::Result;
        EXPECT_EQ(holds, (c.real != nullptr) != (c.whole != nullptr)) << c.name;
    }
    EXPECT_EQ(inputs, 11);
    EXPECT_EQ(results, 123);
    EXPECT_EQ(empty, 4);
    ASSERT_NE(findColumn("Lbm4"), nullptr);
    EXPECT_EQ(findColumn("Lbm4")->unit, "dB");
    EXPECT_EQ(findColumn("Lbm5"), nullptr);
    Row r;
    r.nlt = 7;
    r.lb = 123.5;
    EXPECT_EQ(columnValue(r, *findColumn("Nlt")), 7);
    EXPECT_EQ(columnValue(r, *findColumn("Lb")), 123.5);
}

TEST(Mechanism, TheSmallestLossDecides) {
    struct Case {
        SubModelLosses losses;
        Mechanism mechanism;
    };
    for (const Case& c :
         {Case{{150, 160, 170, 180}, Mechanism::NearSurface}, Case{{160, 150, 170, 180}, Mechanism::Anomalous},
          Case{{160, 170, 150, 180}, Mechanism::Troposcatter}, Case{{160, 170, 180, 150}, Mechanism::SporadicE},
          Case{{150, 150, 150, 150}, Mechanism::NearSurface}}) {
        EXPECT_EQ(decidingMechanism(c.losses), c.mechanism);
    }
    EXPECT_EQ(mechanismName(Mechanism::Anomalous), "ducting and layer reflection");
    EXPECT_EQ(mechanismName(Mechanism::NearSurface), "diffraction and clear-air propagation near the surface");
}

TEST(Combination, PowersAddAsTheMethodSays) {
    // 1 and 2 add as powers; with 3 and 4 by the blend of exponent 0.2.
    EXPECT_NEAR(combinedLossDb({150, 150, 1e6, 1e6}), 150 - 10 * std::log10(2), 1e-12);
    EXPECT_NEAR(combinedLossDb({150, 1e6, 150, 1e6}), 150 - 5 * std::log10(2), 1e-12);
    EXPECT_NEAR(combinedLossDb({150, 1e6, 150, 150}), 150 - 5 * std::log10(3), 1e-12);
    // Sporadic-E at 3e10 dB, as at 30 MHz, takes no part and breaks nothing.
    EXPECT_EQ(combinedLossDb({180, 190, 200, 3e10}), combinedLossDb({180, 190, 200, 1e300}));
}

TEST(Rows, FrequencyOuterAndEachTheSameAsAlone) {
    testing_support::RandomPaths random(99);
    for (int k = 0; k < 300; ++k) {
        const testing_support::RandomCase c = random.next();
        const PreparedPath path = preparePath(c.path, c.maps);
        const double f[] = {random.frequencyGhz(), random.frequencyGhz()};
        std::vector<double> tpc;
        for (int i = 0; i < 12; ++i) tpc.push_back(random.percent());  // enough for the envelopes
        std::vector<Row> rows(rowCount(f, tpc));
        fillRows(path, f, tpc, rows);
        for (std::size_t i = 0; i < 2; ++i) {
            const FrequencyTerms terms = frequencyTerms(path, f[i]);
            for (std::size_t j = 0; j < tpc.size(); ++j) {
                const Row& r = rows[i * tpc.size() + j];
                ASSERT_EQ(r.ghz, f[i]);
                ASSERT_EQ(r.tpc, tpc[j]);
                Row alone;
                evaluateRow(path, terms, percentTerms(path, tpc[j]), alone);
                ASSERT_EQ(r.status, alone.status) << k;
                for (const Column& col : columns()) {
                    if (col.kind != ColumnKind::Result) continue;
                    // The envelopes and the passes may pick different points on a tie.
                    EXPECT_NEAR(columnValue(r, col), columnValue(alone, col),
                                1e-9 * std::max(1.0, std::fabs(columnValue(alone, col))))
                        << "path " << k << " column " << col.name;
                }
            }
        }
    }
}

TEST(Envelope, LargestLineAtEveryX) {
    std::mt19937_64 engine(5);
    std::uniform_real_distribution<double> u(-100, 100);
    for (int k = 0; k < 200; ++k) {
        std::vector<Line> lines(static_cast<std::size_t>(1 + k % 40));
        for (Line& l : lines) l = {k % 3 == 0 ? std::round(u(engine) / 20) : u(engine), u(engine)};
        if (k % 5 == 0) std::sort(lines.begin(), lines.end(), [](Line a, Line b) { return a.slope > b.slope; });
        const UpperEnvelope envelope(lines);
        for (int t = 0; t < 50; ++t) {
            const double x = u(engine) / 10;
            double best = -1e300;
            for (const Line& l : lines) best = std::max(best, l.slope * x + l.intercept);
            const Line& picked = lines[envelope.largestAt(x)];
            EXPECT_NEAR(picked.slope * x + picked.intercept, best, 1e-9) << k;
        }
    }
}

TEST(MapLookups, EveryValueAtItsPoint) {
    const PathInput input = evenPath(201, 300, [](double d) { return 300 + 200 * std::sin(d / 20); });
    const std::vector<MapLookup> lookups = mapLookups(input, 45);
    EXPECT_EQ(lookups.size(), 5u + 2 + 12 + 12 + 3);
    MapValues filled;
    double v = 1;
    for (const MapLookup& l : lookups) assignMapValue(filled, l, l.file == MapFile::TropoClim ? 5 : v++);
    // Every field was written, each once.
    EXPECT_EQ(filled.dnMedian, 1);
    EXPECT_EQ(filled.surfwvRx, 7);
    EXPECT_EQ(filled.foEsMid[0], 8);
    EXPECT_EQ(filled.foEsThreeQuarter[3], 19);
    EXPECT_EQ(filled.rainMid.pr6Percent, 20);
    EXPECT_EQ(filled.rainRxSegment.h0Km, 31);
    EXPECT_EQ(filled.tropoClimCommonVolume + filled.tropoClimTx + filled.tropoClimRx, 15);
    // The points are where the rows say the method reads them.
    const Row r = computeRow(input, temperateMaps(), 2, 50);
    const auto at = [&](MapFile f, MapSite s) {
        return std::find_if(lookups.begin(), lookups.end(),
                            [&](const MapLookup& l) { return l.file == f && l.site == s; })
            ->at;
    };
    EXPECT_DOUBLE_EQ(pathMidPoint(input).latDeg, r.phimn);
    EXPECT_DOUBLE_EQ(at(MapFile::DnMedian, MapSite::MidPoint).lonDeg, r.phime);
    EXPECT_DOUBLE_EQ(at(MapFile::FoEs10, MapSite::Quarter).latDeg, r.phi1qn);
    EXPECT_DOUBLE_EQ(at(MapFile::RainBeta, MapSite::TxSegmentMid).lonDeg, r.phitcve);
    EXPECT_DOUBLE_EQ(at(MapFile::ZeroDegreeHeight, MapSite::RxSegmentMid).latDeg, r.phircvn);
    EXPECT_DOUBLE_EQ(at(MapFile::TropoClim, MapSite::CommonVolume).lonDeg, r.phicve);
    EXPECT_EQ(mapFileName(MapFile::RainMt), "Esarain_Mt_v5.txt");
    EXPECT_EQ(mapFileName(MapFile::FoEs01), "FoEs0.1.txt");
}

TEST(MapLookups, LongitudesWrapAcrossTheAntimeridian) {
    PathInput input = evenPath(101, 400, [](double) { return 0.0; });
    input.tx.lonDeg = 179;
    input.rx.lonDeg = -178;
    for (const MapLookup& l : mapLookups(input, 45)) {
        EXPECT_GT(l.at.lonDeg, -180);
        EXPECT_LE(l.at.lonDeg, 180);
    }
}

}  // namespace
}  // namespace tropolink::p2001
