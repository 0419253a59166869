// DEMs made to hurt: rasters whose blocks would fill the memory, FIFOs and
// devices given as DEMs, zipped tiles whose data was edited, heights no
// ground has, more DEMs than file descriptors, control characters and NUL
// bytes in paths. Whatever may hang, or run out of memory or descriptors,
// runs in a child process under a limit.
#include <gdal_priv.h>
#include <gtest/gtest.h>
#include <ogr_spatialref.h>
#include <sys/stat.h>
#include <zlib.h>

#include <cmath>
#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

#include "child_process.h"
#include "dem_fixtures.h"
#include "terrain/dem_cache.h"
#include "terrain/dem_sampler.h"
#include "terrain/path_profile.h"
#include "terrain/terrain_error.h"

namespace tropolink::terrain {
namespace {

using namespace fixtures;
using testing_support::ChildLimits;
using testing_support::ChildOutcome;
using testing_support::runInChild;
using End = ChildOutcome::End;

constexpr rlim_t kDataLimitBytes = rlim_t{256} << 20;
constexpr std::size_t kSmallCeilingBytes = std::size_t{8} << 20;

double plane(double latDeg, double lonDeg) { return 1000 + 2400 * (latDeg - 44) + 3600 * (lonDeg + 72); }

std::string refusal(const std::function<void()>& body) {
    try {
        body();
    } catch (const TerrainError& e) {
        return e.what();
    }
    return "accepted";
}

void expectOneLine(const std::string& message) {
    EXPECT_EQ(message.find('\n'), std::string::npos) << message;
    EXPECT_EQ(message.find("nan"), std::string::npos) << message;
}

// Little-endian fields of a ZIP record.
void put(std::string& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out += static_cast<char>((value >> (8 * i)) & 0xff);
}

struct Member {
    std::string name, data;
    std::uint32_t crc32;  // as recorded, right or not
};

// A ZIP whose members are stored, not compressed, as SRTM tiles often are.
std::string storedZip(const std::vector<Member>& members) {
    std::string zip, directory;
    for (const Member& m : members) {
        const auto offset = static_cast<std::uint32_t>(zip.size()), size = static_cast<std::uint32_t>(m.data.size());
        const auto nameBytes = static_cast<std::uint32_t>(m.name.size());
        put(zip, 0x04034b50, 4), put(zip, 10, 2), put(zip, 0, 2), put(zip, 0, 2), put(zip, 0, 2), put(zip, 0x21, 2);
        put(zip, m.crc32, 4), put(zip, size, 4), put(zip, size, 4), put(zip, nameBytes, 2), put(zip, 0, 2);
        zip += m.name + m.data;
        put(directory, 0x02014b50, 4), put(directory, 10, 2), put(directory, 10, 2), put(directory, 0, 2);
        put(directory, 0, 2), put(directory, 0, 2), put(directory, 0x21, 2), put(directory, m.crc32, 4);
        put(directory, size, 4), put(directory, size, 4), put(directory, nameBytes, 2), put(directory, 0, 2);
        put(directory, 0, 2), put(directory, 0, 2), put(directory, 0, 2), put(directory, 0, 4), put(directory, offset, 4);
        directory += m.name;
    }
    const auto at = static_cast<std::uint32_t>(zip.size());
    const auto count = static_cast<std::uint32_t>(members.size());
    zip += directory;
    put(zip, 0x06054b50, 4), put(zip, 0, 2), put(zip, 0, 2), put(zip, count, 2), put(zip, count, 2);
    put(zip, static_cast<std::uint32_t>(directory.size()), 4), put(zip, at, 4), put(zip, 0, 2);
    return zip;
}

std::uint32_t crcOf(const std::string& data) {
    return static_cast<std::uint32_t>(crc32(0, reinterpret_cast<const Bytef*>(data.data()), static_cast<uInt>(data.size())));
}

TEST(DemZipTest, EditedStoredTileIsRefusedNamingTheFile) {
    TempDir dir;
    const std::string tile = hgtBytes(44, -72, plane);
    std::string ridge = tile;  // a 3000 m ridge along one row of posts
    for (std::size_t at = 600 * 1201 * 2; at < 601 * 1201 * 2; at += 2) ridge[at] = static_cast<char>(0x0b), ridge[at + 1] = static_cast<char>(0xb8);
    const fs::path good = dir / "good" / "N44W072.hgt.zip", edited = dir / "edited" / "N44W072.hgt.zip",
                   twice = dir / "twice" / "N44W072.hgt.zip";
    for (const auto& folder : {"good", "edited", "twice"}) fs::create_directories(dir / folder);
    std::ofstream(good, std::ios::binary) << storedZip({{"N44W072.hgt", tile, crcOf(tile)}});
    std::ofstream(edited, std::ios::binary) << storedZip({{"N44W072.hgt", ridge, crcOf(tile)}});
    std::ofstream(twice, std::ios::binary) << storedZip({{"N44W072.hgt", tile, crcOf(tile)}, {"N44W072.hgt", ridge, crcOf(ridge)}});

    for (const auto& path : {good, good.parent_path()}) {
        const DemSet dems(std::vector<std::string>{path.string()});
        EXPECT_NEAR(dems.heightAt(44.5, -71.5).heightM, plane(44.5, -71.5), 1e-6) << path;
    }
    const std::string damaged = "DEM " + edited.string() +
                                ": the data of N44W072.hgt does not match the CRC the ZIP records (the ZIP is damaged; "
                                "allowed: an undamaged ZIP)";
    EXPECT_EQ(refusal([&] { DemSet(std::vector<std::string>{edited.string()}); }), damaged);
    const DemSet folder(std::vector<std::string>{edited.parent_path().string()});
    EXPECT_EQ(refusal([&] { folder.heightAt(44.5, -71.5); }), damaged);
    EXPECT_EQ(refusal([&] { DemSet(std::vector<std::string>{twice.string()}); }),
              "DEM " + twice.string() + ": the ZIP holds N44W072.hgt more than once (allowed: one entry of each name)");
}

TEST(DemFifoTest, FifosAndDevicesAreRefusedBeforeAnyRead) {
    TempDir dir;
    const fs::path fifo = dir / "dem.tif";
    fs::create_directories(dir / "tiles");
    const fs::path fifoTile = dir / "tiles" / "N44W072.hgt";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    ASSERT_EQ(mkfifo(fifoTile.c_str(), 0600), 0);
    struct Case {
        std::function<void()> body;
        std::string message;
    };
    const std::vector<Case> cases{
        {[&] { DemSet(std::vector<std::string>{fifo.string()}); },
         "DEM " + fifo.string() + ": a FIFO (allowed: a regular file, or a folder of SRTM tiles)"},
        {[&] { DemSet(std::vector<std::string>{(dir / "tiles").string()}).heightAt(44.5, -71.5); },
         "DEM " + fifoTile.string() + ": a FIFO (allowed: a regular file, or a folder of SRTM tiles)"},
        {[&] { DemSet(std::vector<std::string>{"/dev/zero"}); },
         "DEM /dev/zero: a character device (allowed: a regular file, or a folder of SRTM tiles)"},
    };
    for (const Case& c : cases) {
        const ChildOutcome outcome = runInChild(c.body, {.seconds = 20});
        EXPECT_EQ(outcome.end, End::Refused) << c.message;
        EXPECT_EQ(outcome.message, c.message);
    }

    // GDAL reads side files such as dem.tif.aux.xml beside a raster: a FIFO
    // of that name is none of them.
    const fs::path raster = dir / "side" / "dem.tif";
    fs::create_directories(raster.parent_path());
    writeGeoTiff(raster, {10, 10, {0, 0.1, 0, 46, 0, -0.1}, 4326, [](double, double) { return 7.0; }, std::nullopt});
    ASSERT_EQ(mkfifo((raster.string() + ".aux.xml").c_str(), 0600), 0);
    const ChildOutcome beside = runInChild(
        [&] {
            if (DemSet(std::vector<std::string>{raster.string()}).heightAt(45.5, 0.5).heightM != 7.0)
                throw TerrainError("wrong height");
        },
        {.seconds = 20});
    EXPECT_EQ(beside.end, End::Returned) << beside.message;
}

// Posts of infinity, and of numbers no ground has, stop the profile with the
// DEM and the point named, where they became "-nan m asl" further on.
TEST(DemMessageTest, HeightsNoGroundHasNameTheDemAndThePoint) {
    TempDir dir;
    struct Case {
        double post;
        std::string shown;
    };
    for (const Case& c : std::vector<Case>{{INFINITY, "inf"}, {-INFINITY, "-inf"}, {1e30, "1e+30"},
                                           {-9999, "-9999"}, {32767, "32767"}, {15000.5, "15000.5"}}) {
        const fs::path file = dir / ("posts-" + c.shown + ".tif");
        writeGeoTiff(file, {100, 100, {0, 0.01, 0, 46, 0, -0.01}, 4326,
                            [&](double x, double) { return x > 0.5 && x < 0.52 ? c.post : 100.0; }, std::nullopt});
        const DemSet dems(std::vector<std::string>{file.string()});
        const std::string message = refusal([&] { computeProfile(dems, {45.5, 0.2}, {45.5, 0.8}, {.stepM = 100}); });
        EXPECT_EQ(message.rfind("DEM " + file.string() + ": height " + c.shown + " m near 23.100 km from site 1 (45.5", 0), 0u) << message;
        EXPECT_NE(message.find("(allowed: -1000 to 15000 m, the heights of the ground)"), std::string::npos) << message;
        expectOneLine(message);
    }
}

TEST(DemMessageTest, ControlCharactersInPathsAreEscaped) {
    TempDir dir;
    const fs::path folder = dir / "two\nlines";
    fs::create_directories(folder);
    writeHgtTile(folder, 44, -72, [](double lat, double) { return lat > 44.5 && lat < 44.6 ? kVoid : 100.0; });
    const std::string shown = (dir / "two\\nlines").string();
    const DemSet dems(std::vector<std::string>{folder.string()});
    const std::vector<std::string> messages{
        refusal([&] { computeProfile(dems, {44.3, -71.5}, {44.8, -71.5}); }),
        refusal([&] { computeProfile(dems, {44.7, -71.5}, {45.2, -71.5}); }),
        refusal([&] { DemSet(std::vector<std::string>{(folder / "gone\r.tif").string()}); }),
    };
    EXPECT_NE(messages[0].find("elevation void in " + shown + "/N44W072.hgt at "), std::string::npos) << messages[0];
    EXPECT_NE(messages[1].find("N45W072.hgt not found in " + shown), std::string::npos) << messages[1];
    EXPECT_EQ(messages[2], "DEM " + shown + "/gone\\r.tif: no such file or folder");
    for (const auto& message : messages) expectOneLine(message);
}

// The C library would have read "real.tif" and ignored the rest.
TEST(DemMessageTest, NulInAPathIsRefused) {
    TempDir dir;
    const fs::path real = dir / "real.tif";
    writeGeoTiff(real, {10, 10, {0, 0.1, 0, 46, 0, -0.1}, 4326, [](double, double) { return 1.0; }, std::nullopt});
    const std::string path = real.string() + std::string("\0.other", 7);
    EXPECT_EQ(refusal([&] { DemSet(std::vector<std::string>{path}); }),
              "DEM " + real.string() + "\\x00.other: the path holds a NUL byte (allowed: a path without one)");
}

// Two hundred DEMs under a limit of 48 descriptors: the idle ones close and
// reopen as needed. With no descriptor left at all, one line says so.
TEST(DemDescriptorTest, ManyDemsShareFewDescriptors) {
    TempDir dir;
    std::vector<std::string> paths;
    for (int i = 0; i < 200; ++i) {
        const fs::path file = dir / ("cell-" + std::to_string(i) + ".tif");
        const double west = 0.1 * (i % 20), north = 46 - 0.1 * (i / 20);
        writeGeoTiff(file, {10, 10, {west, 0.01, 0, north, 0, -0.01}, 4326, [i](double, double) { return 10.0 * i; },
                            std::nullopt});
        paths.push_back(file.string());
    }
    const ChildOutcome many = runInChild(
        [&] {
            const DemSet dems(paths);
            for (int round = 0; round < 2; ++round)
                for (int i = 0; i < 200; ++i) {
                    const Elevation e = dems.heightAt(46 - 0.1 * (i / 20) - 0.05, 0.1 * (i % 20) + 0.05);
                    if (e.status != Elevation::Status::Ok || e.heightM != 10.0 * i) throw TerrainError("wrong height");
                }
            if (demCacheStats().openDatasets > kMaxOpenDemDatasets) throw TerrainError("too many open");
        },
        {.openFiles = 48});
    EXPECT_EQ(many.end, End::Returned) << many.message;

    const ChildOutcome none = runInChild([&] { DemSet(std::vector<std::string>{paths[0]}); }, {.openFiles = 1});
    EXPECT_EQ(none.end, End::Refused);
    EXPECT_EQ(none.message, "DEM " + paths[0] +
                                ": cannot open it, the process has as many files open as it may (allowed: fewer "
                                "files at once, or a higher limit on open files)");
}

void writeSparseGeoTiff(const fs::path& file) {
    GDALAllRegister();
    char** options = nullptr;
    for (const char* option : {"TILED=YES", "BLOCKXSIZE=4096", "BLOCKYSIZE=4096", "SPARSE_OK=TRUE", "BIGTIFF=YES"})
        options = CSLAddString(options, option);
    GDALDataset* dataset = GetGDALDriverManager()->GetDriverByName("GTiff")->Create(file.c_str(), 1000000, 1000000, 1,
                                                                                    GDT_Int16, options);
    CSLDestroy(options);
    std::array<double, 6> transform{-180, 360e-6, 0, 90, 0, -180e-6};
    dataset->SetGeoTransform(transform.data());
    OGRSpatialReference wgs84;
    wgs84.importFromEPSG(4326);
    dataset->SetSpatialRef(&wgs84);
    GDALClose(GDALDataset::ToHandle(dataset));
}

// Each point of these paths falls in a block of its own: unbounded, the
// blocks and GDAL's cache of raw tiles outgrew any memory.
TEST(DemMemoryTest, HugeRastersStayUnderADataLimit) {
    if (testing_support::kSanitized) GTEST_SKIP() << "the sanitizer's shadow memory leaves no room for a data limit";
    TempDir dir;
    const fs::path vrt = dir / "huge.vrt", sparse = dir / "sparse.tif";
    std::ofstream(vrt) << "<VRTDataset rasterXSize=\"2000000000\" rasterYSize=\"1000000000\"><SRS>EPSG:4326</SRS>"
                          "<GeoTransform>-180, 1.8e-7, 0, 90, 0, -1.8e-7</GeoTransform>"
                          "<VRTRasterBand dataType=\"Int16\" band=\"1\"/></VRTDataset>\n";
    writeSparseGeoTiff(sparse);
    struct Case {
        fs::path dem;
        Site from, to;
        ProfileOptions options;
    };
    for (const Case& c : {Case{vrt, {45, 0}, {45, 0.5}, {.stepM = 20}}, Case{sparse, {0.5, 0}, {0.5, 9}, {}}}) {
        const ChildOutcome outcome = runInChild(
            [&] {
                setDemCacheCeiling(kSmallCeilingBytes);
                const DemSet dems(std::vector<std::string>{c.dem.string()});
                computeProfile(dems, c.from, c.to, c.options);
                const DemCacheStats stats = demCacheStats();
                // More blocks than the ceiling holds, and no more held.
                if (stats.cachedBytes > kSmallCeilingBytes || stats.blockReads * 257 * 257 * 2 <= kSmallCeilingBytes)
                    throw TerrainError("the cache held " + std::to_string(stats.cachedBytes) + " bytes after " +
                                       std::to_string(stats.blockReads) + " reads");
            },
            {.dataBytes = kDataLimitBytes, .seconds = 300});
        EXPECT_EQ(outcome.end, End::Returned) << c.dem << ": " << outcome.message;
    }
}

// Nine 1" tiles around a corner fit in the cache whole: reading every block
// of them a second time reads nothing from the files.
TEST(DemMemoryTest, NineArcSecondTilesAreNotReadTwice) {
    TempDir dir;
    constexpr int kPosts = 3601;
    for (int lat = 44; lat < 47; ++lat)
        for (int lon = -73; lon < -70; ++lon) {
            const fs::path file = dir / (srtmTileName(lat, lon) + ".hgt");
            std::ofstream(file).close();
            fs::resize_file(file, std::uintmax_t{kPosts} * kPosts * 2);  // sea level, and sparse on the disk
        }
    const DemSet dems(std::vector<std::string>{dir.path().string()});
    DemSampler sampler(dems);
    auto readAll = [&] {
        for (int lat = 44; lat < 47; ++lat)
            for (int lon = -73; lon < -70; ++lon)
                for (int row = 100; row < kPosts; row += 256)
                    for (int col = 100; col < kPosts; col += 256)
                        ASSERT_EQ(sampler.heightAt(lat + 1 - row / 3600.0, lon + col / 3600.0).status, Elevation::Status::Ok);
    };
    readAll();
    const std::uint64_t reads = demCacheStats().blockReads;
    readAll();
    EXPECT_EQ(demCacheStats().blockReads, reads);
}

}  // namespace
}  // namespace tropolink::terrain
