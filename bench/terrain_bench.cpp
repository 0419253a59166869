// Times the profile of a 300 km path across four 3" SRTM tiles, written
// here: the first call in the process, which opens and reads the tiles, and
// a repeated call on the open tiles. Then the same path through a folder of
// 400 tiles, to count how many it opens. Prints each figure with its target,
// as wall time and as this process's CPU time: on a machine shared with
// other work the second is the steadier.
#include <stdlib.h>
#include <time.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "bench/synthetic_tile.h"
#include "terrain/dem_set.h"
#include "terrain/path_profile.h"

namespace {

namespace fs = std::filesystem;
using namespace tropolink::terrain;
using Clock = std::chrono::steady_clock;
using tropolink::bench::kTilePosts;
using tropolink::bench::writeSyntheticTile;

constexpr int kPathLatDeg = 45;
constexpr int kRepeats = 20;
constexpr double kFirstCallTargetMs = 50;
constexpr double kRepeatTargetMs = 5;
// The path runs east along 45.5 N from 0.05 E to 3.95 E: about 304 km.
constexpr Site kFrom{45.5, 0.05};
constexpr Site kTo{45.5, 3.95};

double cpuMs() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) / 1e6;
}

struct Timer {
    Clock::time_point wall = Clock::now();
    double cpu = cpuMs();
};

struct Figure {
    double wallMs = 0;
    double cpuMs = 0;
};

Figure since(const Timer& start) {
    return {std::chrono::duration<double, std::milli>(Clock::now() - start.wall).count(), cpuMs() - start.cpu};
}

void report(const char* what, Figure figure, double targetMs) {
    std::printf("%-44s %8.2f ms wall %8.2f ms CPU   (target <= %.0f ms)%s\n", what, figure.wallMs, figure.cpuMs,
                targetMs, figure.wallMs <= targetMs ? "" : "  over, wall");
}

}  // namespace

int main() {
    std::string pattern = (fs::temp_directory_path() / "terrain-bench-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) return 1;
    const fs::path root = pattern;
    const fs::path four = root / "four", many = root / "many";
    fs::create_directories(four);
    fs::create_directories(many);
    for (int lon = 0; lon < 4; ++lon) writeSyntheticTile(four / (srtmTileName(kPathLatDeg, lon) + ".hgt"), kPathLatDeg, lon);
    // 20 x 20 tiles around the path: the four it crosses, and sea-level tiles
    // (sparse files of zeros) that it must not open.
    for (int lat = 36; lat < 56; ++lat) {
        for (int lon = 0; lon < 20; ++lon) {
            const std::string name = srtmTileName(lat, lon) + ".hgt";
            if (lat == kPathLatDeg && lon < 4) {
                fs::create_hard_link(four / name, many / name);
            } else {
                std::ofstream(many / name).close();
                fs::resize_file(many / name, static_cast<std::uintmax_t>(kTilePosts) * kTilePosts * 2);
            }
        }
    }

    const std::vector<std::string> fourPaths{four.string()};
    Timer start;
    DemSet dems(fourPaths);
    PathProfile profile = computeProfile(dems, kFrom, kTo);
    const Figure first = since(start);

    std::vector<Figure> repeats;
    for (int i = 0; i < kRepeats; ++i) {
        start = Timer{};
        profile = computeProfile(dems, kFrom, kTo);
        repeats.push_back(since(start));
    }
    std::sort(repeats.begin(), repeats.end(), [](Figure a, Figure b) { return a.wallMs < b.wallMs; });

    // GDAL has started by now: this is the cost of the tiles alone.
    const std::vector<std::string> manyPaths{many.string()};
    start = Timer{};
    DemSet folder(manyPaths);
    const PathProfile fromFolder = computeProfile(folder, kFrom, kTo);
    const Figure folderFirst = since(start);

    std::printf("path %.1f km, %zu points every %.0f m, %zu tiles used\n", profile.lengthKm, profile.distanceKm.size(),
                profile.stepM, profile.demFilesUsed.size());
    report("first call in the process, opening 4 tiles", first, kFirstCallTargetMs);
    report("repeated call on open tiles (median of 20)", repeats[repeats.size() / 2], kRepeatTargetMs);
    report("first call on a folder of 400 tiles", folderFirst, kFirstCallTargetMs);
    std::printf("tiles opened from the folder of 400: %zu (the path crosses 4)\n", folder.openedRasterCount());
    const bool same = fromFolder.heightM == profile.heightM;
    fs::remove_all(root);
    return same ? 0 : 1;
}
