// Times the profile of a 300 km path across four 3" SRTM tiles, written
// here: the first call in the process, which opens and reads the tiles, and
// a repeated call on the open tiles. Then the same path through a folder of
// 400 tiles, to count how many it opens. Prints each figure with its target,
// as wall time and as this process's CPU time: on a machine shared with
// other work the second is the steadier. Then the cost of a point, split
// into its geodesic position and its height, beside the heights read through
// GDAL four posts at a time as one would without the library, the share of
// the geodesic (which bounds what a point can cost), and the profiles a
// second of one thread and of two sharing one DemSet.
#include <stdlib.h>
#include <time.h>

#include <gdal_priv.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "bench/synthetic_tile.h"
#include "terrain/dem_sampler.h"
#include "terrain/dem_set.h"
#include "terrain/geodesic_path.h"
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
constexpr double kPointTargetNs = 60;
constexpr int kPointRepeats = 41;
constexpr double kThreadSeconds = 1.5;
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

double nsAPoint(double ms, std::size_t points) { return ms * 1e6 / static_cast<double>(points); }

template <typename Work>
double medianCpuNsAPoint(std::size_t points, Work work) {
    std::vector<double> ns;
    for (int i = 0; i < kPointRepeats; ++i) {
        const Timer start;
        work();
        ns.push_back(nsAPoint(since(start).cpuMs, points));
    }
    std::sort(ns.begin(), ns.end());
    return ns[ns.size() / 2];
}

// The four posts around each point read through GDAL, as one would without
// the library; the same bilinear sum.
double gdalHeight(GDALRasterBand* band, double latDeg, double lonDeg, int tileLon) {
    const double u = (lonDeg - tileLon) * (kTilePosts - 1), v = (kPathLatDeg + 1 - latDeg) * (kTilePosts - 1);
    const int col = std::min(static_cast<int>(u), kTilePosts - 2), row = std::min(static_cast<int>(v), kTilePosts - 2);
    std::array<double, 4> h{};
    if (band->RasterIO(GF_Read, col, row, 2, 2, h.data(), 2, 2, GDT_Float64, 0, 0, nullptr) != CE_None) return 0;
    const double fx = u - col, fy = v - row;
    const double top = h[0] + (h[1] - h[0]) * fx, bottom = h[2] + (h[3] - h[2]) * fx;
    return top + (bottom - top) * fy;
}

// Profiles a second from `threads` threads sharing `dems`.
double profilesASecond(const DemSet& dems, int threads) {
    std::atomic<long> done{0};
    std::atomic<bool> stop{false};
    std::vector<std::thread> workers;
    const auto begin = Clock::now();
    for (int t = 0; t < threads; ++t)
        workers.emplace_back([&] {
            DemSampler sampler(dems);
            while (!stop.load(std::memory_order_relaxed)) {
                computeProfile(sampler, kFrom, kTo);
                done.fetch_add(1, std::memory_order_relaxed);
            }
        });
    std::this_thread::sleep_for(std::chrono::duration<double>(kThreadSeconds));
    stop = true;
    for (auto& worker : workers) worker.join();
    return static_cast<double>(done) / std::chrono::duration<double>(Clock::now() - begin).count();
}

void reportPoint(const char* what, double ns, const char* target) {
    std::printf("%-58s %7.1f ns a point (CPU, median)%s\n", what, ns, target);
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

    const std::size_t points = profile.distanceKm.size();
    const double whole = medianCpuNsAPoint(points, [&] { profile = computeProfile(dems, kFrom, kTo); });
    const GeodesicPath path(kFrom, kTo);
    double sink = 0;
    const double positions = medianCpuNsAPoint(points, [&] {
        for (std::size_t i = 0; i < points; ++i) sink += path.at(profile.distanceKm[i]).latDeg;
    });
    DemSampler sampler(dems);
    const double heights = medianCpuNsAPoint(points, [&] {
        for (std::size_t i = 0; i < points; ++i) sink += sampler.heightAt(profile.latDeg[i], profile.lonDeg[i]).heightM;
    });
    std::vector<GDALDataset*> tiles;
    for (int lon = 0; lon < 4; ++lon)
        tiles.push_back(GDALDataset::FromHandle(
            GDALOpen((four / (srtmTileName(kPathLatDeg, lon) + ".hgt")).c_str(), GA_ReadOnly)));
    const double byGdal = medianCpuNsAPoint(points, [&] {
        for (std::size_t i = 0; i < points; ++i) {
            const int lon = std::min(3, static_cast<int>(profile.lonDeg[i]));
            sink += gdalHeight(tiles[static_cast<std::size_t>(lon)]->GetRasterBand(1), profile.latDeg[i],
                               profile.lonDeg[i], lon);
        }
    });
    for (GDALDataset* tile : tiles) GDALClose(GDALDataset::ToHandle(tile));
    char target[64];
    std::snprintf(target, sizeof target, "   (target <= %.0f)%s", kPointTargetNs, whole <= kPointTargetNs ? "" : "  over");
    reportPoint("the profile on open tiles, whole", whole, target);
    reportPoint("  its geodesic positions alone (GeographicLib)", positions, "");
    reportPoint("  its heights alone, through a DemSampler", heights, "");
    reportPoint("the same heights through GDAL, four posts a point", byGdal, "");
    // The geodesic's positions are GeographicLib's, bit for bit, and no profile can cost less than they do.
    std::printf("the geodesic's share of the whole: %.0f %%; the rest (heights, probe, bookkeeping): %.1f ns a point\n",
                100 * positions / whole, whole - positions);
    if (positions > kPointTargetNs)
        std::printf("the target of %.0f ns is below GeographicLib's position alone (%.1f ns): out of reach while every "
                    "point is its position, bit for bit\n",
                    kPointTargetNs, positions);
    const double one = profilesASecond(dems, 1), two = profilesASecond(dems, 2);
    std::printf("profiles a second on one DemSet: %.0f with 1 thread, %.0f with 2 (%.2fx, %u processors)%s\n", one, two,
                two / one, std::thread::hardware_concurrency(), sink == 0 ? " " : "");

    const bool same = fromFolder.heightM == profile.heightM;
    fs::remove_all(root);
    return same ? 0 : 1;
}
