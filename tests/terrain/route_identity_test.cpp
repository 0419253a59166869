// The profile route against the straightforward sampler of
// reference_sampler.h, bit for bit, over thousands of random paths: across
// tiles and their seams, on tile corners, through voids (filled or refused),
// off every DEM (sea or refused), through a float raster with nodata, scale
// and offset laid over the tiles, from a zipped tile, and on real ground
// where it is at hand. Then the same paths from several threads at once on
// one DemSet, with a cache small enough to drop blocks while they are read.
#include <gdal_priv.h>
#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "dem_fixtures.h"
#include "reference_sampler.h"
#include "terrain/dem_cache.h"
#include "terrain/dem_sampler.h"
#include "terrain/path_profile.h"
#include "terrain/terrain_error.h"

namespace tropolink::terrain {
namespace {

using namespace fixtures;

struct Path {
    Site from, to;
    double stepM = 100;
    ProfileOptions options;
};

struct Box {
    double south, north, west, east;
};

// Whole metres that differ from tile to tile, so that the posts two tiles
// share on their seam differ too, with a small void every few kilometres.
Surface tileSurface(int latDeg, int lonDeg) {
    const double offset = 37.0 * (latDeg - 44) + 11.0 * (lonDeg + 73);
    return [offset](double lat, double lon) {
        const double cellLat = lat * 40 - std::floor(lat * 40), cellLon = lon * 40 - std::floor(lon * 40);
        if (cellLat < 0.06 && cellLon < 0.06) return kVoid;
        return 400 + offset + 300 * std::sin(lat * 41) * std::cos(lon * 57) + 40 * std::sin(lat * 900 + lon * 700);
    };
}

// Float posts with a scale and an offset, nodata in small patches.
void writeFloatRaster(const fs::path& file) {
    GeoTiff tiff{480, 480, {-72.4, 0.8 / 480, 0, 45.4, 0, -0.8 / 480}, 4326, nullptr, -9999.0};
    tiff.surface = [](double x, double y) {
        if (std::fmod(std::fabs(x * 97 + y * 89), 1.0) < 0.03) return kVoid;
        return 900 + 700 * std::sin(x * 13.1) * std::sin(y * 17.3) + 0.123456789 * x * y;
    };
    writeGeoTiff(file, tiff);
    GDALDataset* dataset = GDALDataset::FromHandle(GDALOpen(file.c_str(), GA_Update));
    dataset->GetRasterBand(1)->SetScale(0.75);
    dataset->GetRasterBand(1)->SetOffset(-12.5);
    GDALClose(GDALDataset::ToHandle(dataset));
}

// Paths between random points of `box`, with random steps and options, and
// those that run along seams and start or end on tile corners.
std::vector<Path> randomPaths(Box box, int count, unsigned seed, double minStepM, double maxStepM) {
    std::mt19937_64 random(seed);
    std::uniform_real_distribution<double> lat(box.south, box.north), lon(box.west, box.east);
    std::uniform_real_distribution<double> step(minStepM, maxStepM);
    std::bernoulli_distribution coin(0.5);
    std::vector<Path> paths;
    while (static_cast<int>(paths.size()) < count) {
        Path p{{lat(random), lon(random)}, {lat(random), lon(random)}, std::round(step(random)), {}};
        if (paths.size() % 7 == 1) p.from = {std::round(p.from.latDeg), std::round(p.from.lonDeg)};  // a corner
        if (paths.size() % 7 == 2) p.to.lonDeg = p.from.lonDeg = std::round(p.from.lonDeg);        // a meridian seam
        if (paths.size() % 7 == 3) p.to.latDeg = p.from.latDeg = std::round(p.from.latDeg);        // about a parallel seam
        p.options.fillVoids = coin(random);
        p.options.seaWhereMissing = coin(random);
        const double km = std::hypot((p.to.latDeg - p.from.latDeg) * 111, (p.to.lonDeg - p.from.lonDeg) * 80);
        if (km > 1.5) paths.push_back(p);
    }
    return paths;
}

std::optional<PathProfile> route(const DemSet& dems, const Path& p) {
    try {
        ProfileOptions options = p.options;
        options.stepM = p.stepM;
        return computeProfile(dems, p.from, p.to, options);
    } catch (const TerrainError&) {
        return std::nullopt;
    }
}

bool sameBits(const std::vector<double>& a, const std::vector<double>& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (std::bit_cast<std::uint64_t>(a[i]) != std::bit_cast<std::uint64_t>(b[i])) return false;
    return true;
}

struct Tally {
    int refused = 0, compared = 0;
    long points = 0, seamPoints = 0, filled = 0, sea = 0;
};

// Every path's route against the reference; returns what the paths met.
Tally compareAll(const std::vector<std::string>& dems, const std::vector<Path>& paths) {
    const DemSet set(dems);
    reference::Sampler sampler(dems);
    Tally tally;
    for (std::size_t n = 0; n < paths.size(); ++n) {
        const Path& p = paths[n];
        const auto got = route(set, p);
        const auto want = reference::profile(sampler, p.from, p.to, p.stepM, p.options);
        EXPECT_EQ(got.has_value(), want.has_value()) << "path " << n;
        if (!got || !want) {
            ++tally.refused;
            continue;
        }
        ++tally.compared;
        tally.points += static_cast<long>(got->heightM.size());
        tally.filled += static_cast<long>(got->voids.count);
        tally.sea += static_cast<long>(got->sea.count);
        for (std::size_t i = 0; i < got->latDeg.size(); ++i)
            if (got->latDeg[i] == std::round(got->latDeg[i]) || got->lonDeg[i] == std::round(got->lonDeg[i]))
                ++tally.seamPoints;
        EXPECT_TRUE(sameBits(got->latDeg, want->latDeg)) << "path " << n;
        EXPECT_TRUE(sameBits(got->lonDeg, want->lonDeg)) << "path " << n;
        EXPECT_TRUE(sameBits(got->distanceKm, want->distanceKm)) << "path " << n;
        EXPECT_TRUE(sameBits(got->heightM, want->heightM)) << "path " << n;
    }
    return tally;
}

class RouteIdentityTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        dir_ = new TempDir;
        const fs::path tiles = *dir_ / "tiles";
        fs::create_directories(tiles);
        for (int lat = 44; lat < 47; ++lat) {
            for (int lon = -73; lon < -70; ++lon) {
                if (lat == 46 && lon == -71) continue;  // the sea
                if (lat == 44 && lon == -71) {
                    writeHgtZip(tiles, lat, lon, tileSurface(lat, lon));
                    continue;
                }
                writeHgtTile(tiles, lat, lon, tileSurface(lat, lon));
            }
        }
        // Zipped beside the plain one, which is to win.
        writeHgtZip(tiles, 45, -72, [](double, double) { return 5000.0; });
        writeFloatRaster(*dir_ / "float.tif");
    }
    static void TearDownTestSuite() {
        delete dir_;
        dir_ = nullptr;
    }
    static std::string tiles() { return (*dir_ / "tiles").string(); }
    static std::string floats() { return (*dir_ / "float.tif").string(); }
    static constexpr Box kTiles{43.9, 47.1, -73.1, -69.9};
    static TempDir* dir_;
};

TempDir* RouteIdentityTest::dir_ = nullptr;

TEST_F(RouteIdentityTest, TilesAlone) {
    const Tally t = compareAll({tiles()}, randomPaths(kTiles, 2000, 1, 30, 600));
    EXPECT_GT(t.compared, 600);
    EXPECT_GT(t.refused, 200);
    EXPECT_GT(t.filled, 2000);
    EXPECT_GT(t.sea, 2000);
    EXPECT_GT(t.seamPoints, 2000);
}

TEST_F(RouteIdentityTest, FloatRasterOverTheTilesAndUnderThem) {
    for (const auto& dems : {std::vector{floats(), tiles()}, std::vector{tiles(), floats()}}) {
        const Tally t = compareAll(dems, randomPaths({44.5, 45.5, -72.5, -71.5}, 500, 2, 20, 300));
        EXPECT_GT(t.compared, 200);
        EXPECT_GT(t.filled, 300);
    }
}

// The example raster in the repository, and the real tiles beside the
// sources when they are there.
TEST(RouteIdentityRealGroundTest, ExampleRasterAndSharedTiles) {
    const std::string example = std::string(TROPOLINK_EXAMPLES_DIR) + "/white-mountains.tif";
    // It holds ground only in a band along the path of its example plan,
    // from Mount Washington north-west.
    std::vector<Path> paths = randomPaths({0, 1, 0, 1}, 300, 3, 20, 400);
    for (Path& p : paths) {
        const auto along = [](Site s) { return Site{44.2706 + 0.6294 * s.latDeg, -71.3033 - 0.5967 * s.latDeg + 0.004 * (s.lonDeg - 0.5)}; };
        p.from = along(p.from);
        p.to = along(p.to);
        p.options.fillVoids = true;
    }
    Tally t = compareAll({example}, paths);
    EXPECT_GT(t.compared, 150);
    const fs::path shared = TROPOLINK_SHARED_DEM_DIR;
    if (!fs::exists(shared / "N44W072.hgt")) GTEST_SKIP() << "no real tiles in " << shared << " to compare on";
    t = compareAll({shared.string()}, randomPaths({44.0, 45.0, -72.0, -71.0}, 300, 4, 20, 400));
    EXPECT_GT(t.compared, 250);
}

TEST_F(RouteIdentityTest, ManyThreadsOnOneSetGiveTheSameProfiles) {
    const std::vector<std::string> paths{floats(), tiles()};
    const std::vector<Path> work = randomPaths(kTiles, 240, 5, 50, 400);
    const DemSet dems(paths);
    std::vector<std::optional<PathProfile>> alone;
    for (const Path& p : work) alone.push_back(route(dems, p));

    // A ceiling of a few blocks: threads drop blocks that others still read.
    const std::size_t ceiling = demCacheStats().ceilingBytes;
    setDemCacheCeiling(std::size_t{2} << 20);
    constexpr int kThreads = 4;
    std::vector<std::vector<std::optional<PathProfile>>> together(kThreads);
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t)
        threads.emplace_back([&, t] {
            DemSampler sampler(dems);
            for (std::size_t i = 0; i < work.size(); ++i) {
                const Path& p = work[(i + static_cast<std::size_t>(t) * 60) % work.size()];
                ProfileOptions options = p.options;
                options.stepM = p.stepM;
                try {
                    together[static_cast<std::size_t>(t)].push_back(computeProfile(sampler, p.from, p.to, options));
                } catch (const TerrainError&) {
                    together[static_cast<std::size_t>(t)].push_back(std::nullopt);
                }
            }
        });
    for (auto& thread : threads) thread.join();
    setDemCacheCeiling(ceiling);
    EXPECT_LE(demCacheStats().cachedBytes, ceiling);

    for (int t = 0; t < kThreads; ++t) {
        for (std::size_t i = 0; i < work.size(); ++i) {
            const auto& mine = together[static_cast<std::size_t>(t)][i];
            const auto& want = alone[(i + static_cast<std::size_t>(t) * 60) % work.size()];
            ASSERT_EQ(mine.has_value(), want.has_value());
            if (mine) {
                EXPECT_TRUE(sameBits(mine->heightM, want->heightM)) << "thread " << t << " path " << i;
            }
        }
    }
}

}  // namespace
}  // namespace tropolink::terrain
