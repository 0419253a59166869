// Loading the three climate maps and looking up N0, ΔN and the zone, on
// synthetic maps of the real size (the ITU's may not be copied), varied as
// real ones are, from the one generator of synthetic maps.
// Prints each median next to its target.
#include <stdlib.h>
#include <time.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "climate/lookup.h"
#include "climate/map_set.h"
#include "climate/synthetic_maps.h"

namespace {

using namespace tropolink::climate;
namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr double kLoadTargetMs = 100;
constexpr double kLookupTargetNs = 1000;
constexpr int kRuns = 7;
constexpr int kLookupsPerRun = 2'000'000;

// On a machine shared with other work the process's CPU time is the steadier figure.
double cpuSeconds() {
    timespec t{};
    ::clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

}  // namespace

int main() {
    std::string pattern = (fs::temp_directory_path() / "climate-bench-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) return 1;
    const fs::path dir = pattern;
    writeSyntheticMaps(dir, kClimateMaps, SyntheticFill::Varied);

    std::vector<double> loadMs;
    std::vector<double> loadCpuMs;
    std::optional<MapSet> maps;
    for (int run = 0; run < kRuns; ++run) {
        const auto start = Clock::now();
        const double cpuStart = cpuSeconds();
        maps = readMapSet(MapSetId::Climate, dir);
        loadCpuMs.push_back((cpuSeconds() - cpuStart) * 1e3);
        loadMs.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
    }
    fs::remove_all(dir);

    // Points spread over the world, in an order the cache cannot predict.
    std::vector<GeoPoint> points(4096);
    unsigned state = 12345;
    const auto next = [&] {
        state = state * 1664525u + 1013904223u;
        return static_cast<double>(state >> 8) / static_cast<double>(1u << 24);
    };
    for (GeoPoint& p : points) p = {-90 + 180 * next(), -180 + 360 * next()};

    std::vector<double> lookupNs;
    std::vector<double> lookupCpuNs;
    double sink = 0;
    for (int run = 0; run < kRuns; ++run) {
        const auto start = Clock::now();
        const double cpuStart = cpuSeconds();
        for (int i = 0; i < kLookupsPerRun; ++i) {
            const ClimateValues v = lookupAll(*maps, points[static_cast<std::size_t>(i) & 4095]);
            sink += v.n0 + v.deltaN + v.zoneCode;
        }
        lookupCpuNs.push_back((cpuSeconds() - cpuStart) * 1e9 / kLookupsPerRun);
        lookupNs.push_back(std::chrono::duration<double, std::nano>(Clock::now() - start).count() / kLookupsPerRun);
    }

    std::printf("load the three maps: %.1f ms median of %d, CPU time %.1f ms (target <= %.0f ms)\n", median(loadMs),
                kRuns, median(loadCpuMs), kLoadTargetMs);
    std::printf("look up N0, dN and the zone: %.1f ns median of %d, CPU time %.1f ns (target <= %.0f ns)\n",
                median(lookupNs), kRuns, median(lookupCpuNs), kLookupTargetNs);
    return sink > 0 ? 0 : 1;
}
