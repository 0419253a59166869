// Loading the complete P.2001 method's 14 maps, on synthetic maps of the real
// size from the one generator (the ITU's may not be copied), against what a user would
// write instead: each file read with an ifstream, value by value, unchecked.
// Prints each median next to its target.
#include <stdlib.h>
#include <time.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "climate/map_set.h"
#include "climate/synthetic_maps.h"

namespace {

using namespace tropolink::climate;
namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr double kLoadTargetMs = 150;
constexpr int kRuns = 7;

// The plain way: every value through operator>>, no shape or range check.
double naiveLoad(const fs::path& folder) {
    double sum = 0;
    for (const MapKind kind : kP2001AllMaps) {
        std::ifstream in(folder / std::string(mapFormat(kind).fileName));
        std::vector<double> values;
        double v = 0;
        while (in >> v) values.push_back(v);
        sum += values.back();
    }
    return sum;
}

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

struct Timing {
    double wallMs;
    double cpuMs;
};

template <class Load>
Timing time(Load load) {
    std::vector<double> wall;
    std::vector<double> cpu;
    for (int run = 0; run < kRuns; ++run) {
        const auto start = Clock::now();
        const double cpuStart = cpuSeconds();
        load();
        cpu.push_back((cpuSeconds() - cpuStart) * 1e3);
        wall.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
    }
    return {median(wall), median(cpu)};
}

}  // namespace

int main() {
    std::string pattern = (fs::temp_directory_path() / "p2001-maps-bench-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) return 1;
    const fs::path dir = pattern;
    writeSyntheticMaps(dir, kP2001AllMaps, SyntheticFill::Varied);

    std::uintmax_t bytes = 0;
    for (const auto& entry : fs::directory_iterator(dir)) bytes += entry.file_size();
    double sink = 0;
    const Timing ours = time([&] { sink += readMapSet(MapSetId::P2001All, dir).at(MapKind::RainMt, {10, 10}); });
    const Timing naive = time([&] { sink += naiveLoad(dir); });
    fs::remove_all(dir);

    std::printf("load the 14 P.2001 maps (%.1f MB, checked): %.1f ms median of %d, CPU time %.1f ms (target <= %.0f "
                "ms)\n",
                static_cast<double>(bytes) / 1e6, ours.wallMs, kRuns, ours.cpuMs, kLoadTargetMs);
    std::printf("the same files through ifstream >> double, unchecked: %.1f ms median, CPU time %.1f ms (%.1fx ours)\n",
                naive.wallMs, naive.cpuMs, naive.cpuMs / ours.cpuMs);
    return sink != 0 ? 0 : 1;
}
