// Times coverage maps on synthetic 3" tiles: a 100 km radius at 500 m cells
// around 44 N (about 179 000 paths), the complete P.2001 at one percentage
// and P.617, each with one worker and with two. Prints the wall time against
// its target, paths a second, the share of the workers' time in the DEM
// profiles and in the method, a profile point's cost, how soon a stop ends
// the map, and, for comparison, the same paths each computed as a single-path
// command would (the DEMs opened for each path). The load average before and
// after says how far the figures can be trusted on a shared machine.
//   coverage_bench [--quick] [--pictures DIR] [--method p2001-all|p617]
#include <stdlib.h>
#include <sys/resource.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "bench/synthetic_tile.h"
#include "coverage/coverage_run.h"
#include "coverage/p2001_method.h"
#include "coverage/troposcatter_method.h"
#include "coverage_picture/qt_pictures.h"

namespace {

namespace fs = std::filesystem;
using namespace tropolink;
using namespace tropolink::coverage;
using Clock = std::chrono::steady_clock;

constexpr terrain::Site kSite{44.0, 2.0};
constexpr double kRadiusKm = 100;
constexpr double kCellM = 500;
constexpr double kP2001TargetS = 30;
constexpr double kP617TargetS = 10;
constexpr double kSpeedUpTarget = 1.8;
constexpr int kSinglePathSamples = 200;

std::string loadAverage() {
    std::ifstream in("/proc/loadavg");
    std::string one, five, fifteen;
    in >> one >> five >> fifteen;
    return one + " " + five + " " + fifteen;
}

// A temperate climate, the same everywhere.
P2001Maps constantMaps() {
    return {[](p2001::MapFile file, p2001::GeoPoint) {
                switch (file) {
                    case p2001::MapFile::DnMedian: return 45.0;
                    case p2001::MapFile::DnSupSlope: return 14.0;
                    case p2001::MapFile::DnSubSlope: return 9.0;
                    case p2001::MapFile::Dndz01: return -250.0;
                    case p2001::MapFile::SurfaceWaterVapour: return 7.5;
                    case p2001::MapFile::ZeroDegreeHeight: return 2.5;
                    case p2001::MapFile::RainPr6: return 4.5;
                    case p2001::MapFile::RainMt: return 900.0;
                    case p2001::MapFile::RainBeta: return 0.25;
                    case p2001::MapFile::FoEs01: return 9.5;
                    case p2001::MapFile::FoEs1: return 6.5;
                    case p2001::MapFile::FoEs10: return 4.2;
                    case p2001::MapFile::FoEs50: return 2.6;
                    case p2001::MapFile::TropoClim: return 4.0;
                }
                return 0.0;
            },
            "constants of a temperate climate"};
}

struct Run {
    CoverageSummary summary;
    double cpuSeconds = 0;
};

double cpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

Run runMap(const CoverageSetup& setup, int jobs, const fs::path& out, PictureRenderer* pictures) {
    CoverageOutputs outputs{.geotiff = (out / "map.tif").string()};
    if (pictures) {
        outputs.png = (out / "map.png").string();
        outputs.kmz = (out / "map.kmz").string();
    }
    const double cpu = cpuSeconds();
    Run run;
    run.summary = runCoverage(setup, outputs, {.jobs = jobs, .pictures = pictures});
    run.cpuSeconds = cpuSeconds() - cpu;
    return run;
}

void report(const char* what, int jobs, const Run& run, std::optional<double> targetS) {
    const CoverageSummary& s = run.summary;
    std::printf("%-8s %d job%s: %6.1f s wall, %6.1f s CPU, %6.0f paths/s; profiles %4.1f %%, method %4.1f %%; "
                "%.0f ns a profile point",
                what, jobs, jobs == 1 ? " " : "s", s.seconds, run.cpuSeconds, s.cellsPerSecond, 100 * s.profileShare,
                100 * s.methodShare,
                s.profileSeconds * 1e9 / static_cast<double>(s.profilePoints));
    if (targetS) std::printf("   (target <= %.0f s)%s", *targetS, s.seconds <= *targetS ? "" : "  over");
    std::printf("\n");
}

// Seconds from setting the stop flag, a second into the map, to runCoverage's
// return; none when the map ends first.
std::optional<double> stopLatency(const CoverageSetup& setup, const fs::path& out) {
    std::atomic<bool> stop{false};
    std::atomic<bool> ended{false};
    Clock::time_point asked;
    std::thread stopper([&] {
        const auto due = Clock::now() + std::chrono::seconds(1);
        while (!ended && Clock::now() < due) std::this_thread::sleep_for(std::chrono::milliseconds(5));
        asked = Clock::now();
        stop = true;
    });
    bool stopped = false;
    try {
        runCoverage(setup, {.geotiff = (out / "stopped.tif").string()}, {.jobs = 2, .stop = &stop});
    } catch (const CoverageStopped&) {
        stopped = true;
    }
    const auto returned = Clock::now();
    ended = true;
    stopper.join();
    if (!stopped) return std::nullopt;
    return std::chrono::duration<double>(returned - asked).count();
}

// As separate single-path commands would: the DEMs opened for every path.
double singlePathSeconds(const CoverageSetup& setup, const std::vector<std::string>& dems) {
    std::vector<terrain::Site> cells;
    {
        terrain::DemSampler sampler(*setup.dems);
        for (int row = 0; row < setup.grid.rows() && static_cast<int>(cells.size()) < kSinglePathSamples; row += 3)
            for (int col = row % 7; col < setup.grid.cols() && static_cast<int>(cells.size()) < kSinglePathSamples;
                 col += 37)
                if (!cellWithoutPath(setup, sampler, row, col)) cells.push_back(setup.grid.cellCentre(row, col));
    }
    const auto start = Clock::now();
    for (const terrain::Site cell : cells) {
        const terrain::DemSet set(dems);
        terrain::DemSampler sampler(set);
        pathLosses(*setup.method, sampler, setup.grid.site, cell, setup.profile);
    }
    return std::chrono::duration<double>(Clock::now() - start).count() / static_cast<double>(cells.size());
}

}  // namespace

int main(int argc, char** argv) {
    bool quick = false;
    std::optional<fs::path> pictureDir;
    std::string only;  // one method instead of both
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--quick") == 0) quick = true;
        if (std::strcmp(argv[i], "--method") == 0 && i + 1 < argc) only = argv[++i];
        if (std::strcmp(argv[i], "--pictures") == 0 && i + 1 < argc) pictureDir = argv[++i];
    }
    std::string pattern = (fs::temp_directory_path() / "coverage-bench-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) return 1;
    const fs::path root = pattern;
    const fs::path tiles = root / "tiles";
    fs::create_directories(tiles);
    for (int lat = 43; lat <= 44; ++lat)
        for (int lon = 0; lon <= 3; ++lon)
            bench::writeSyntheticTile((tiles / (terrain::srtmTileName(lat, lon) + ".hgt")).string(), lat, lon);
    const std::vector<std::string> dems{tiles.string()};
    const terrain::DemSet demSet(dems);

    std::printf("load average before: %s (2 cores: below 1 is quiet)\n", loadAverage().c_str());
    const std::vector<double> percent{99.9};
    P2001Settings p2001{.frequencyMhz = 2000, .percents = percent, .mast1M = 30, .mast2M = 10, .gain1Dbi = 30, .gain2Dbi = 20};
    TroposcatterSettings p617{.method = itur::ItuMethod::P617, .frequencyMhz = 2000, .percents = percent, .mast1M = 30,
                              .mast2M = 10, .gain1Dbi = 30, .gain2Dbi = 20};
    p617.climate.defaultN0 = 320;
    const P2001Method complete(p2001, constantMaps());
    const TroposcatterMethod troposcatter(p617, MapsInUse{});

    CoverageSetup setup;
    setup.grid = makeGrid({kSite, quick ? kRadiusKm / 4 : kRadiusKm, kCellM});
    setup.dems = &demSet;
    std::printf("grid %d x %d cells of %d arc-seconds around %.1f N %.1f E, radius %.0f km\n", setup.grid.rows(),
                setup.grid.cols(), setup.grid.cellArcSec, kSite.latDeg, kSite.lonDeg, setup.grid.radiusKm);

    QtPictureRenderer renderer;
    for (const PathMethod* method : {static_cast<const PathMethod*>(&complete), static_cast<const PathMethod*>(&troposcatter)}) {
        if (!only.empty() && method->name() != only) continue;
        setup.method = method;
        const bool isP2001 = method == &complete;
        const fs::path out = pictureDir ? *pictureDir / method->name() : root / method->name();
        fs::create_directories(out);
        const Run two = runMap(setup, 2, out, pictureDir ? &renderer : nullptr);
        std::printf("%s: %zu paths, %zu computed, %zu without a figure\n", method->name().c_str(), two.summary.paths,
                    two.summary.counts[CellKind::Computed], two.summary.counts[CellKind::NoFigure]);
        report(method->name().c_str(), 2, two, isP2001 ? kP2001TargetS : kP617TargetS);
        const Run one = runMap(setup, 1, root, nullptr);
        report(method->name().c_str(), 1, one, std::nullopt);
        const double speedUp = one.summary.seconds / two.summary.seconds;
        std::printf("%s speed-up from one job to two: %.2fx (target >= %.1fx)%s\n", method->name().c_str(), speedUp,
                    kSpeedUpTarget, speedUp >= kSpeedUpTarget ? "" : "  under");
        const double single = singlePathSeconds(setup, dems);
        std::printf("%s as one single-path command a cell (DEMs opened each time, %d cells): %.2f ms a cell, "
                    "%.0f s for the map on one core: %.1fx the map's one job\n",
                    method->name().c_str(), kSinglePathSamples, single * 1e3, single * static_cast<double>(two.summary.paths),
                    single * static_cast<double>(two.summary.paths) / one.summary.seconds);
    }
    setup.method = &complete;
    if (const std::optional<double> latency = stopLatency(setup, root))
        std::printf("stop: the map ends %.0f ms after the stop flag is set (target <= 1000 ms)\n", 1e3 * *latency);
    else
        std::printf("stop: the map ended before the stop flag was set\n");
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("peak resident memory: %.0f MB\n", static_cast<double>(usage.ru_maxrss) / 1024);
    std::printf("load average after: %s\n", loadAverage().c_str());
    fs::remove_all(root);
    return 0;
}
