// The maps service: its table, its sets, one read per folder shared by every
// caller, a new read when a file changes, and a refused map never skipped.
#include "climate/maps_service.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <set>
#include <thread>
#include <vector>

#include "climate/lookup.h"
#include "climate/map_error.h"
#include "climate/map_reader.h"
#include "synthetic_maps.h"

namespace tropolink::climate {
namespace {

using namespace testing;
namespace fs = std::filesystem;

void writeClimateMaps(const fs::path& folder, int zone = 4) {
    fs::create_directories(folder);
    writeFile(folder / "N050.TXT", n0Text());
    writeFile(folder / "DN50.TXT", deltaNText());
    writeFile(folder / "TropoClim.txt", zoneText(zone));
}

// A file replaced as an import replaces it: written beside, renamed over.
void replaceFile(const fs::path& file, const std::string& bytes) {
    writeFile(file.string() + ".new", bytes);
    fs::rename(file.string() + ".new", file);
}

// Every row of the table: a grid that covers the earth at its step, values
// that fit the lookup, and each kind once, in the enum's order.
TEST(MapTableTest, EveryGridCoversTheEarthAtItsStep) {
    std::set<std::string_view> files;
    for (std::size_t i = 0; i < kMapTable.size(); ++i) {
        const MapInfo& map = kMapTable[i];
        SCOPED_TRACE(map.format.fileName);
        EXPECT_EQ(static_cast<std::size_t>(map.kind), i);
        EXPECT_TRUE(files.insert(map.format.fileName).second) << "one file, one map";
        const MapGrid& g = map.grid;
        // Bilinear grids hold both poles and 0° twice (0 and 360); the nearest
        // lookup's grids hold cell centres, half a step in from the edges.
        const bool bilinear = g.lookup != MapLookup::Nearest;
        const double lastLat = g.firstLatDeg - g.stepDeg * (map.format.rows - 1);
        const double lastLon = g.firstLonDeg + g.stepDeg * (map.format.columns - 1);
        EXPECT_DOUBLE_EQ(g.firstLatDeg, bilinear ? 90 : 90 - g.stepDeg / 2);
        EXPECT_DOUBLE_EQ(lastLat, -g.firstLatDeg);
        EXPECT_DOUBLE_EQ(lastLon - g.firstLonDeg, bilinear ? 360 : 360 - g.stepDeg);
        EXPECT_LT(map.format.minValue, map.format.maxValue);
    }
    EXPECT_EQ(kMapKinds.size(), kMapTable.size());
}

TEST(MapTableTest, EverySetNamesMapsOfTheTableOnce) {
    for (const MapSetInfo& set : kMapSets) {
        std::set<MapKind> kinds(set.kinds.begin(), set.kinds.end());
        EXPECT_EQ(kinds.size(), set.kinds.size());
        EXPECT_FALSE(kinds.empty());
        EXPECT_EQ(&mapSetInfo(set.id), &set);
    }
    EXPECT_EQ(mapSetFiles(MapSetId::Climate), "the ITU-R maps N050.TXT, DN50.TXT and TropoClim.txt");
}

TEST(MapSetTest, AMapOutsideTheSetIsNoneOfItsOwn) {
    const MapSet set(MapSetId::Climate, "/m", {{MapKind::N0, "/m/N050.TXT", readMap(MapKind::N0, n0Text())}});
    EXPECT_TRUE(set.holds(MapKind::N0));
    EXPECT_FALSE(set.holds(MapKind::Zone));
    EXPECT_EQ(set.file(MapKind::N0), "/m/N050.TXT");
    EXPECT_THROW(set.file(MapKind::Zone), std::out_of_range);
    EXPECT_THROW(set.at(MapKind::DeltaN, {0, 0}), std::out_of_range);
    EXPECT_DOUBLE_EQ(set.at(MapKind::N0, {90, 0}), planeN0(0, 0));
}

TEST(MapsServiceTest, AFolderIsReadOnceAndShared) {
    const ScratchDir dir;
    writeClimateMaps(dir.path());
    MapsService service;
    const auto first = service.find(MapSetId::Climate, dir.path());
    ASSERT_TRUE(first);
    EXPECT_EQ(service.find(MapSetId::Climate, dir.path()), first);
    EXPECT_EQ(first->folder(), dir.path());
    EXPECT_EQ(first->file(MapKind::Zone), dir / "TropoClim.txt");
}

TEST(MapsServiceTest, AChangedFileIsReadAgainAndTheOldMapsStayWithTheirHolder) {
    const ScratchDir dir;
    writeClimateMaps(dir.path(), 4);
    MapsService service;
    const auto before = service.find(MapSetId::Climate, dir.path());
    ASSERT_TRUE(before);
    replaceFile(dir / "TropoClim.txt", zoneText(2));
    const auto after = service.find(MapSetId::Climate, dir.path());
    ASSERT_TRUE(after);
    EXPECT_NE(after, before);
    EXPECT_EQ(lookupZoneCode(*before, {10, 10}), 4);
    EXPECT_EQ(lookupZoneCode(*after, {10, 10}), 2);
}

TEST(MapsServiceTest, ARefusedMapIsAnErrorEveryTimeUntilItIsMended) {
    const ScratchDir dir;
    writeClimateMaps(dir.path());
    replaceFile(dir / "DN50.TXT", "40 41\n");
    MapsService service;
    for (int attempt = 0; attempt < 2; ++attempt) {
        try {
            service.find(MapSetId::Climate, dir.path());
            ADD_FAILURE() << "refused map skipped";
        } catch (const MapError& e) {
            EXPECT_EQ(e.file(), (dir / "DN50.TXT").string());
        }
    }
    replaceFile(dir / "DN50.TXT", deltaNText());
    EXPECT_TRUE(service.find(MapSetId::Climate, dir.path()));
}

TEST(MapsServiceTest, AFolderWithoutTheWholeSetServesNone) {
    const ScratchDir dir;
    writeClimateMaps(dir / "full");
    fs::create_directories(dir / "part");
    writeFile(dir / "part" / "N050.TXT", n0Text());
    MapsService service;
    const std::vector<fs::path> partFirst{dir / "part", dir / "full"};
    EXPECT_EQ(service.find(MapSetId::Climate, partFirst)->folder(), dir / "full");
    EXPECT_FALSE(service.find(MapSetId::Climate, std::span(partFirst).first(1)));
}

// A folder the user named is never passed over for the defaults: one line
// names it and the maps it lacks, whether or not the maps are needed.
TEST(MapsServiceTest, ANamedFolderWithoutTheWholeSetIsRefusedNamingWhatItLacks) {
    const ScratchDir dir;
    fs::create_directories(dir / "empty");
    fs::create_directories(dir / "part");
    writeFile(dir / "part" / "n050.txt", n0Text());
    fs::create_directories(dir / "two");
    writeFile(dir / "two" / "N050.TXT", n0Text());
    writeFile(dir / "two" / "TropoClim.txt", zoneText(4));
    writeFile(dir / "file", "");
    const std::string allowed =
        " (allowed: a maps folder holding the ITU-R maps N050.TXT, DN50.TXT and TropoClim.txt)";
    const struct {
        fs::path folder;
        std::string why;
    } cases[] = {{dir / "empty", "lacks N050.TXT, DN50.TXT and TropoClim.txt"},
                 {dir / "part", "lacks DN50.TXT and TropoClim.txt"},
                 {dir / "two", "lacks DN50.TXT"},
                 {dir / "missing", "no such folder"},
                 {dir / "file", "no such folder"}};
    MapsService service;
    for (const auto& c : cases) {
        for (const bool required : {false, true}) {
            try {
                required ? service.require(MapSetId::Climate, c.folder) : service.find(MapSetId::Climate, c.folder);
                ADD_FAILURE() << c.folder << " accepted";
            } catch (const InstallError& e) {
                EXPECT_EQ(std::string(e.what()), c.folder.string() + ": " + c.why + allowed);
            }
        }
    }
}

TEST(MapsServiceTest, ANewlineInANamedFolderIsShownEscaped) {
    const ScratchDir dir;
    try {
        MapsService().find(MapSetId::Climate, dir / "a\nb");
        ADD_FAILURE() << "accepted";
    } catch (const InstallError& e) {
        EXPECT_EQ(std::string(e.what()).find('\n'), std::string::npos) << e.what();
        EXPECT_NE(std::string(e.what()).find((dir / "a\\nb").string()), std::string::npos) << e.what();
    }
}

TEST(MapsServiceTest, ThreadsAskingAtOnceShareOneRead) {
    const ScratchDir dir;
    writeClimateMaps(dir.path());
    MapsService service;
    std::vector<std::shared_ptr<const MapSet>> got(4);
    std::vector<std::thread> threads;
    for (std::size_t i = 0; i < got.size(); ++i)
        threads.emplace_back([&, i] { got[i] = service.find(MapSetId::Climate, dir.path()); });
    for (std::thread& t : threads) t.join();
    for (const auto& maps : got) EXPECT_EQ(maps, got.front());
}

}  // namespace
}  // namespace tropolink::climate
