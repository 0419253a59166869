// The profile route, through both entry points, against the obvious route of
// obvious_route.h, bit for bit, with the same reports and the same messages:
// thousands of random paths across tile edges and corners, through voids,
// damaged posts and missing tiles, with given and default steps, over tiles
// of two post spacings and rasters of other kinds laid over them (one small
// enough for the probe of the default step to miss), across the
// antimeridian and near the pole.
#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <fstream>
#include <random>
#include <string>
#include <variant>
#include <vector>

#include "dem_fixtures.h"
#include "obvious_route.h"
#include "terrain/dem_sampler.h"
#include "terrain/geodesic_path.h"
#include "terrain/path_profile.h"

namespace tropolink::terrain {
namespace {

using namespace fixtures;
using Outcome = std::variant<PathProfile, obvious::Refusal>;

struct Box {
    double south, north, west, east;
};

// Rolling ground, different in each tile, with a small void every few
// kilometres and, where `damaged`, a patch of posts no ground has.
Surface ground(double offset, bool damaged) {
    return [=](double lat, double lon) {
        const double cellLat = lat * 30 - std::floor(lat * 30), cellLon = lon * 30 - std::floor(lon * 30);
        if (cellLat < 0.05 && cellLon < 0.05) return kVoid;
        if (damaged && cellLat > 0.5 && cellLat < 0.52 && cellLon > 0.5 && cellLon < 0.52) return 30000.0;
        return 300 + offset + 250 * std::sin(lat * 37) * std::cos(lon * 53) + 30 * std::sin(lat * 800 + lon * 600);
    };
}

Outcome library(const DemSet& dems, DemSampler* sampler, Site from, Site to, const ProfileOptions& options) {
    try {
        return sampler ? computeProfile(*sampler, from, to, options) : computeProfile(dems, from, to, options);
    } catch (const TerrainError& e) {
        return obvious::Refusal{e.what(), e.kind()};
    }
}

bool same(double a, double b) { return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b); }

bool same(const std::vector<double>& a, const std::vector<double>& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (!same(a[i], b[i])) return false;
    return true;
}

bool same(const GapReport& a, const GapReport& b) {
    if (a.count != b.count || a.first.has_value() != b.first.has_value()) return false;
    return !a.first || (same(a.first->distanceKm, b.first->distanceKm) && same(a.first->latDeg, b.first->latDeg) &&
                        same(a.first->lonDeg, b.first->lonDeg));
}

// Empty when the two agree to the bit; otherwise what differs.
std::string difference(const Outcome& got, const Outcome& want) {
    if (got.index() != want.index()) return "one refused, the other did not";
    if (const auto* refusal = std::get_if<obvious::Refusal>(&want)) {
        const auto& mine = std::get<obvious::Refusal>(got);
        if (mine.message != refusal->message) return "message \"" + mine.message + "\" != \"" + refusal->message + "\"";
        return mine.kind == refusal->kind ? "" : "kind of refusal";
    }
    const auto& a = std::get<PathProfile>(got);
    const auto& b = std::get<PathProfile>(want);
    if (!same(a.distanceKm, b.distanceKm)) return "distances";
    if (!same(a.latDeg, b.latDeg) || !same(a.lonDeg, b.lonDeg)) return "positions";
    if (!same(a.heightM, b.heightM)) return "heights";
    if (!same(a.lengthKm, b.lengthKm) || !same(a.azimuth1Deg, b.azimuth1Deg) || !same(a.azimuth2Deg, b.azimuth2Deg))
        return "length or azimuths";
    if (!same(a.stepM, b.stepM)) return "step";
    if (a.demFilesUsed != b.demFilesUsed) return "DEM files used";
    if (!same(a.sea, b.sea) || !same(a.voids, b.voids)) return "gap reports";
    return "";
}

struct Tally {
    int paths = 0, refused = 0, gaps = 0, defaultSteps = 0;
    long points = 0, sea = 0, filled = 0;
};

// Random paths in `box` (some from a tile corner, some along a seam), each
// through both entry points, the sampler kept from path to path.
Tally compare(const std::vector<std::string>& paths, Box box, int count, unsigned seed, double maxStepM) {
    const DemSet dems(paths);
    DemSampler sampler(dems);
    std::mt19937_64 random(seed);
    std::uniform_real_distribution<double> lat(box.south, box.north), lon(box.west, box.east), unit(0, 1);
    Tally tally;
    for (int n = 0; n < count; ++n) {
        Site from{lat(random), lon(random)}, to{lat(random), lon(random)};
        if (n % 9 == 1) from = {std::round(from.latDeg), std::round(from.lonDeg)};
        if (n % 9 == 2) to.lonDeg = from.lonDeg = std::round(from.lonDeg);
        if (n % 9 == 3) to.latDeg = from.latDeg = std::round(from.latDeg);
        if (n % 9 == 4) to = {from.latDeg + 0.004, from.lonDeg};  // about the shortest path allowed
        ProfileOptions options{.stepM = {}, .seaWhereMissing = unit(random) < 0.5, .fillVoids = unit(random) < 0.6};
        if (unit(random) < 0.5) options.stepM = std::round(1 + unit(random) * maxStepM);
        if (n % 97 == 5) options.stepM = 0.5;  // refused
        const Outcome want = obvious::route(dems, from, to, options);
        for (DemSampler* through : {static_cast<DemSampler*>(nullptr), &sampler}) {
            const std::string why = difference(library(dems, through, from, to, options), want);
            EXPECT_EQ(why, "") << "path " << n << " (" << from.latDeg << ", " << from.lonDeg << ") to (" << to.latDeg
                               << ", " << to.lonDeg << ")" << (through ? " through a sampler" : "");
        }
        ++tally.paths;
        if (const auto* refusal = std::get_if<obvious::Refusal>(&want)) {
            ++(refusal->kind == TerrainError::Kind::Gap ? tally.gaps : tally.refused);
            continue;
        }
        const auto& p = std::get<PathProfile>(want);
        tally.defaultSteps += options.stepM ? 0 : 1;
        tally.points += static_cast<long>(p.heightM.size());
        tally.sea += static_cast<long>(p.sea.count);
        tally.filled += static_cast<long>(p.voids.count);
    }
    return tally;
}

// The box the default step trusts: every point of the path inside it, also
// where the path bulges past both ends toward a pole, and no box near one.
TEST(GeodesicPathBoundsTest, EveryPointLiesInTheBox) {
    std::mt19937_64 random(17);
    std::uniform_real_distribution<double> lat(-84, 84), lon(-180, 180), turn(-20, 20), unit(0, 1);
    int bulging = 0;
    for (int n = 0; n < 3000; ++n) {
        const Site from{lat(random), lon(random)};
        // Half the paths run east or west, where the vertex lies between the ends.
        const Site to{n % 2 ? std::clamp(from.latDeg + turn(random) / 4, -89.0, 89.0) : from.latDeg,
                      std::remainder(from.lonDeg + turn(random), 360.0)};
        const GeodesicPath path(from, to);
        const std::optional<LatLonBox> box = path.bounds();
        if (!box) {
            EXPECT_GT(std::max(std::fabs(from.latDeg), std::fabs(to.latDeg)), 60) << n;
            continue;
        }
        double north = -90, south = 90;
        for (int i = 0; i <= 200; ++i) {
            const Site at = path.at(path.lengthKm() * i / 200);
            const double east = at.lonDeg + 360 * std::ceil((box->westDeg - at.lonDeg) / 360);
            ASSERT_TRUE(at.latDeg >= box->southDeg && at.latDeg <= box->northDeg && east <= box->eastDeg) << n;
            north = std::max(north, at.latDeg);
            south = std::min(south, at.latDeg);
        }
        const double ends = std::max(from.latDeg, to.latDeg) - std::min(from.latDeg, to.latDeg);
        if (north - south > ends + 1e-4) ++bulging;
    }
    EXPECT_GT(bulging, 1000);
    EXPECT_FALSE(GeodesicPath({84.9, 0}, {84.9, 30}).bounds());
    EXPECT_FALSE(GeodesicPath({-80, 10}, {-80, -170}).bounds());
}

class RoutePinTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        dir_ = new TempDir;
        const fs::path tiles = *dir_ / "tiles";
        fs::create_directories(tiles);
        for (int lat = 44; lat < 46; ++lat)
            for (int lon = -73; lon < -70; ++lon)
                if (!(lat == 45 && lon == -71))  // the sea
                    writeHgtTile(tiles, lat, lon, ground(20.0 * lat + 7.0 * lon, lat == 44 && lon == -72));
        // A 1" tile among the 3" ones: the default step is the finest spacing the path meets.
        std::ofstream(tiles / "N45W073.hgt", std::ios::binary) << hgtBytes(45, -73, ground(5, false), 3601);
        for (int lat = 10; lat < 12; ++lat)
            for (int lon : {179, -180})
                if (!(lat == 11 && lon == -180)) writeHgtTile(tiles, lat, lon, ground(lat + lon, false));
        // Float posts with nodata over the seam of the antimeridian, in longitudes past 180.
        writeGeoTiff(*dir_ / "antimeridian.tif",
                     {240, 240, {179.6, 0.8 / 240, 0, 11.7, 0, -0.8 / 240}, 4326, ground(3, false), -9999.0});
        // A patch of 0.5" posts some 1.5 km across, which a probe of the path may meet or miss.
        writeGeoTiff(*dir_ / "patch.tif",
                     {108, 108, {-71.5, 1.0 / 7200, 0, 44.5, 0, -1.0 / 7200}, 4326, ground(1, false), -9999.0});
        // Coarse posts around the pole, finer north-south than east-west.
        writeGeoTiff(*dir_ / "polar.tif", {360, 80, {-180, 1, 0, 90, 0, -0.05}, 4326, ground(0, false), -9999.0});
        // 60 m posts in UTM 19 N, laid over part of the 3" tiles.
        writeGeoTiff(*dir_ / "utm.tif",
                     {500, 500, {270000, 60, 0, 5000000, 0, -60}, 32619,
                      [](double x, double y) { return 500 + 200 * std::sin(x / 3000) * std::cos(y / 4000); }, {}});
    }
    static void TearDownTestSuite() {
        delete dir_;
        dir_ = nullptr;
    }
    static std::string at(const std::string& name) { return (*dir_ / name).string(); }
    static TempDir* dir_;
};

TempDir* RoutePinTest::dir_ = nullptr;

TEST_F(RoutePinTest, AcrossTilesOfTwoSpacingsWithVoidsDamageAndSea) {
    const Tally t = compare({at("tiles")}, {43.95, 46.05, -73.05, -69.95}, 900, 11, 1500);
    EXPECT_GT(t.points, 200000);
    EXPECT_GT(t.defaultSteps, 100);
    EXPECT_GT(t.refused, 30);
    EXPECT_GT(t.gaps, 100);
    EXPECT_GT(t.sea, 2000);
    EXPECT_GT(t.filled, 500);
}

TEST_F(RoutePinTest, ProjectedRasterOverTheTiles) {
    const Tally t = compare({at("utm.tif"), at("tiles")}, {44.7, 45.3, -72.2, -71.2}, 250, 12, 800);
    EXPECT_GT(t.points, 20000);
    EXPECT_GT(t.defaultSteps, 30);
}

TEST_F(RoutePinTest, FinePatchThePathMayGraze) {
    const Tally t = compare({at("patch.tif"), at("tiles")}, {44.4, 44.6, -71.6, -71.4}, 400, 16, 200);
    EXPECT_GT(t.defaultSteps, 100);
}

TEST_F(RoutePinTest, AcrossTheAntimeridian) {
    const Tally t = compare({at("antimeridian.tif"), at("tiles")}, {9.9, 12.1, 178.9, 180}, 300, 13, 1500);
    const Tally west = compare({at("tiles"), at("antimeridian.tif")}, {9.9, 12.1, -180, -179.1}, 300, 14, 1500);
    EXPECT_GT(t.points + west.points, 50000);
    EXPECT_GT(t.sea + west.sea, 1000);
}

TEST_F(RoutePinTest, NearThePole) {
    const Tally t = compare({at("polar.tif")}, {86.5, 90, -180, 180}, 400, 15, 3000);
    EXPECT_GT(t.points, 50000);
    EXPECT_GT(t.sea, 100);
    EXPECT_GT(t.refused, 10);
}

}  // namespace
}  // namespace tropolink::terrain
