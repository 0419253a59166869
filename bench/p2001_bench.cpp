// The complete P.2001 method on a path of 2 001 points: a table of 5
// frequencies × 443 percentages with the path prepared once (target 25 µs a
// row, one core), and a new path's first row, path work included (target
// 0.5 ms). The path is the ITU's b2iseac profile where the validation folder
// is present, else a synthetic path of the same size; the map values are
// plausible ones of a temperate coast.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "p2001/row_evaluation.h"
#include "p2001/rows.h"

namespace {

using namespace tropolink::p2001;
namespace fs = std::filesystem;

constexpr int kPoints = 2001;
constexpr double kPathKm = 235.1;
constexpr std::array<double, 5> kFrequenciesGhz{0.03, 0.2, 2, 20, 50};
constexpr int kPercentages = 443;

// The ITU's profile layout: "key,value" lines, "Points,N", then d,h,zone.
bool readProfile(const fs::path& file, PathInput& path) {
    std::ifstream in(file);
    std::string line;
    while (std::getline(in, line) && line.rfind("Points,", 0) != 0) {
        std::istringstream fields(line);
        std::string key;
        double value = 0;
        std::getline(fields, key, ',');
        fields >> value;
        if (key == "TxCoordE") path.tx.lonDeg = value;
        if (key == "TxCoordN") path.tx.latDeg = value;
        if (key == "RxCoordE") path.rx.lonDeg = value;
        if (key == "RxCoordN") path.rx.latDeg = value;
    }
    double d = 0, h = 0;
    int z = 0;
    char comma = 0;
    while (in >> d >> comma >> h >> comma >> z) {
        path.distanceKm.push_back(d);
        path.heightM.push_back(h);
        path.zone.push_back(z);
    }
    return path.distanceKm.size() > 10;
}

// Hills inland, then 90 % sea.
PathInput syntheticPath() {
    PathInput path;
    path.tx = {-6.33, 53.18, 60, 0};
    path.rx = {-3.18, 54.17, 30, 0};
    for (int i = 0; i < kPoints; ++i) {
        const double d = kPathKm * i / (kPoints - 1);
        const bool sea = d > 17 && d < 231;
        path.distanceKm.push_back(d);
        path.heightM.push_back(sea ? 0 : 300 + 250 * std::sin(d / 3) + 100 * std::sin(d * 1.7));
        path.zone.push_back(sea ? 1 : 4);
    }
    return path;
}

const PathInput& benchPath() {
    static const PathInput path = [] {
        PathInput p;
        p.tx.antennaHeightM = 60;
        p.rx.antennaHeightM = 30;
        const fs::path file =
            fs::path(TROPOLINK_P2001_VALIDATION_DIR) / "Validation_examples_ITU-R_P_2001_b2iseac_profile.csv";
        if (readProfile(file, p)) {
            std::printf("path: the b2iseac profile, %zu points\n", p.distanceKm.size());
            return p;
        }
        std::printf("path: synthetic, %d points (no validation folder)\n", kPoints);
        return syntheticPath();
    }();
    return path;
}

MapValues coastalMaps() {
    MapValues m;
    m.dnMedian = 45;
    m.dnSupSlope = 14;
    m.dnSubSlope = 9;
    m.dndz01 = -250;
    m.surfwvMid = 7;
    m.surfwvTx = 6.5;
    m.surfwvRx = 6.8;
    m.foEsMid = m.foEsQuarter = m.foEsThreeQuarter = {9.5, 6.5, 4.2, 2.6};
    m.rainMid = m.rainTxSegment = m.rainRxSegment = {50, 1050, 0.22, 1.6};
    m.tropoClimCommonVolume = 6;
    return m;
}

// 0.001 % to 99.999 %, even on the normal-probability scale's ends.
std::vector<double> percentages() {
    std::vector<double> p;
    for (int i = 0; i < kPercentages; ++i) {
        const double x = -5 + 10.0 * i / (kPercentages - 1);  // log10(p/(100 − p))
        p.push_back(100 / (1 + std::pow(10.0, -x)));
    }
    return p;
}

void tableOfRows(benchmark::State& state) {
    const PreparedPath path = preparePath(benchPath(), coastalMaps());
    const std::vector<double> tpc = percentages();
    std::vector<Row> rows(rowCount(kFrequenciesGhz, tpc));
    for (auto _ : state) {
        fillRows(path, kFrequenciesGhz, tpc, rows);
        benchmark::DoNotOptimize(rows.data());
    }
    state.counters["us_per_row"] =
        benchmark::Counter(static_cast<double>(rows.size()) * 1e-6,
                           benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(tableOfRows)->Unit(benchmark::kMillisecond)->MinTime(2);

// What the table saves: the same rows, each computed as a new path (the
// first 100 of the table; per-row time in the counter).
void eachRowAsANewPath(benchmark::State& state) {
    const PathInput& input = benchPath();
    const MapValues maps = coastalMaps();
    const std::vector<double> tpc = percentages();
    constexpr std::size_t kRows = 100;
    for (auto _ : state) {
        for (std::size_t i = 0; i < kRows; ++i)
            benchmark::DoNotOptimize(computeRow(input, maps, kFrequenciesGhz[0], tpc[i]));
    }
    state.counters["us_per_row"] = benchmark::Counter(
        static_cast<double>(kRows) * 1e-6, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(eachRowAsANewPath)->Unit(benchmark::kMillisecond);

void firstRowOfNewPath(benchmark::State& state) {
    const PathInput& input = benchPath();
    const MapValues maps = coastalMaps();
    for (auto _ : state) {
        benchmark::DoNotOptimize(computeRow(input, maps, 2, 1));
    }
}
BENCHMARK(firstRowOfNewPath)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
