// Every column of every row of the ITU's two validation examples, with the
// map values injected from the examples' own columns.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>
#include <string>

#include "p2001/columns.h"
#include "p2001/row_evaluation.h"
#include "validation_files.h"

namespace tropolink::p2001 {
namespace {

using testing_support::ValidationCase;

constexpr double kToleranceDb = 1e-6;
// The ionospheric losses reach 1e10 dB (at 50 GHz, where foEs is far below
// f), where a double's last digit is worth 2e-6 dB: relative for those.
constexpr double kHugeRelativeTolerance = 1e-9;
constexpr std::array<std::string_view, 5> kHugeColumns{"GAM1", "GAM2", "Lbes1", "Lbes2", "Lbm4"};
constexpr int kReportedFailures = 10;

MapValues injectedMaps(const ValidationCase& c) {
    const auto& t = c.table;
    MapValues m;
    m.dnMedian = -t.number(0, "Nd1km50");
    m.dndz01 = t.number(0, "Nd65m1");
    m.surfwvMid = t.number(0, "Wvsur");
    m.surfwvTx = t.number(0, "WvSurtx");
    m.surfwvRx = t.number(0, "WvSurrx");
    m.tropoClimCommonVolume = static_cast<int>(t.number(0, "Ztropo"));
    // foEs is injected per row, after the interpolation in p.
    m.foEsMid = m.foEsQuarter = m.foEsThreeQuarter = {1, 1, 1, 1};
    // The examples hold no column for the rain maps: the formula sheet beside
    // them gives their values at the three rain points.
    const auto rain = testing_support::readRainPoints(c.name);
    m.rainMid = rain.mid;
    m.rainTxSegment = rain.txSegment;
    m.rainRxSegment = rain.rxSegment;
    return m;
}

bool withinTolerance(std::string_view column, double expected, double got) {
    const double diff = std::fabs(got - expected);
    if (diff <= kToleranceDb) return true;
    const bool huge = std::find(kHugeColumns.begin(), kHugeColumns.end(), column) != kHugeColumns.end();
    return huge && diff <= kHugeRelativeTolerance * std::fabs(expected);
}

std::string exact(double v) {
    char text[32];
    std::snprintf(text, sizeof text, "%.17g", v);
    return text;
}

class Validation : public ::testing::TestWithParam<std::string> {};

TEST_P(Validation, EveryColumnOfEveryRow) {
    const auto folder = testing_support::validationFolder();
    if (!folder) GTEST_SKIP() << "no validation folder at " << TROPOLINK_P2001_VALIDATION_DIR;
    const ValidationCase c = testing_support::readValidationCase(*folder, GetParam());
    const auto& t = c.table;
    const PreparedPath path = preparePath(c.path, injectedMaps(c));

    // The frequency's terms and its fade memos, as a table of rows keeps them.
    struct AtFrequency {
        FrequencyTerms terms;
        FadeMemos memos;
    };
    std::map<double, AtFrequency> byFrequency;
    std::map<std::string_view, std::pair<double, double>> worst;  // absolute, relative
    int failures = 0;
    Row row;
    for (std::size_t r = 0; r < t.rows.size(); ++r) {
        const double f = t.number(r, "GHz");
        auto fr = byFrequency.find(f);
        if (fr == byFrequency.end()) fr = byFrequency.emplace(f, AtFrequency{frequencyTerms(path, f), {}}).first;
        const PercentMapValues injected{t.number(r, "Nd1kmp"), t.number(r, "Foes1"), t.number(r, "Foes2")};
        evaluateRow(path, fr->second.terms, percentTerms(path, t.number(r, "Tpc"), injected), row, &fr->second.memos);
        ASSERT_EQ(row.status, RowStatus::Computed) << t.file << " row " << r + 2 << ": " << row.refusal;
        for (const Column& col : columns()) {
            const std::string& text = t.rows[r][t.column(std::string(col.name))];
            if (col.kind == ColumnKind::Empty) {
                EXPECT_TRUE(text.empty()) << t.file << " row " << r + 2 << " column " << col.name;
                continue;
            }
            if (col.kind == ColumnKind::Text) continue;
            const double expected = t.number(r, std::string(col.name));
            const double got = columnValue(row, col);
            auto& [absolute, relative] = worst[col.name];
            absolute = std::max(absolute, std::fabs(got - expected));
            if (expected != 0) relative = std::max(relative, std::fabs(got - expected) / std::fabs(expected));
            if (!withinTolerance(col.name, expected, got) && ++failures <= kReportedFailures) {
                ADD_FAILURE() << t.file.filename().string() << " row " << r + 2 << " (GHz " << f << ", Tpc "
                              << t.rows[r][t.column("Tpc")] << ") column " << col.name << ": expected "
                              << exact(expected) << ", got " << exact(got);
            }
        }
    }
    EXPECT_EQ(failures, 0) << "differences beyond the tolerance (the first " << kReportedFailures << " shown)";
    for (const auto& [name, diff] : worst) {
        if (diff.first > 0) {
            std::printf("%s %-10s largest difference %.3g (relative %.3g)\n", c.name.c_str(), std::string(name).c_str(),
                        diff.first, diff.second);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Examples, Validation, ::testing::Values("b2iseac", "prof4"));

}  // namespace
}  // namespace tropolink::p2001
