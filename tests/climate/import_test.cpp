#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "climate/import.h"
#include "climate/map_error.h"
#include "climate/lookup.h"
#include "climate/map_set.h"
#include "climate/maps_folder.h"
#include "climate/sha256.h"
#include "climate/status.h"
#include "synthetic_maps.h"
#include "zip_writer.h"

namespace tropolink::climate {
namespace {

using namespace testing;
namespace fs = std::filesystem;

std::vector<fs::path> folderContents(const fs::path& folder) {
    std::vector<fs::path> names;
    for (const auto& entry : fs::directory_iterator(folder)) names.push_back(entry.path().filename());
    std::sort(names.begin(), names.end());
    return names;
}

// The complete P.2001 method's maps beyond the three of the troposcatter methods.
const std::string kP2001OnlyMaps =
    "DN_Median.txt, DN_SupSlope.txt, DN_SubSlope.txt, dndz_01.txt, surfwv_50_fixed.txt, h0.txt, "
    "Esarain_Pr6_v5.txt, Esarain_Mt_v5.txt, Esarain_Beta_v5.txt, FoEs0.1.txt, FoEs01.txt, FoEs10.txt and FoEs50.txt";

TEST(ImportTest, FromTheTwoZipsOneNestedInAnother) {
    const ScratchDir dir;
    // The layout inside the ITU's ZIPs is not documented: folders, other
    // files, names in other letter case and a ZIP in the ZIP.
    writeZip(dir / "p1812.zip", {{"R-REC-P.1812/readme.pdf", "%PDF"},
                                 {"R-REC-P.1812/maps/N050.TXT", n0Text()},
                                 {"R-REC-P.1812/maps/dn50.txt", deltaNText()}});
    writeZip(dir / "inner.zip", {{"data/TROPOCLIM.TXT", zoneText(6)}, {"data/DN_Median.txt", deltaNText()}});
    writeZip(dir / "p2001.zip", {{"doc.docx", "x"}, {"P.2001-5/digital maps.zip", readFile(dir / "inner.zip")}});
    const fs::path target = dir / "maps";

    const std::vector<fs::path> first{dir / "p1812.zip"};
    const ImportResult one = importMaps(first, target);
    EXPECT_EQ(one.installed, (std::vector{MapKind::N0, MapKind::DeltaN}));
    EXPECT_EQ(one.missing.size(), 14u);
    EXPECT_EQ(describeImport(one), "installed N050.TXT and DN50.TXT in " + target.string() +
                                       "; still missing TropoClim.txt (from the ZIP of ITU-R P.2001)"
                                       "; the complete P.2001 method also needs " +
                                       kP2001OnlyMaps + " (from the ZIP of ITU-R P.2001)");

    const std::vector<fs::path> second{dir / "p2001.zip"};
    const ImportResult two = importMaps(second, target);
    EXPECT_EQ(two.installed, (std::vector{MapKind::Zone, MapKind::DnMedian}));
    EXPECT_EQ(two.missing.size(), 12u);
    EXPECT_EQ(describeImport(two), "installed TropoClim.txt and DN_Median.txt in " + target.string() +
                                       "; the complete P.2001 method also needs " +
                                       kP2001OnlyMaps.substr(kP2001OnlyMaps.find("DN_SupSlope")) +
                                       " (from the ZIP of ITU-R P.2001)");

    EXPECT_EQ(folderContents(target),
              (std::vector<fs::path>{"DN50.TXT", "DN_Median.txt", "N050.TXT", "TropoClim.txt"}));
    EXPECT_EQ(readFile(target / "N050.TXT"), n0Text());
    EXPECT_EQ(readFile(target / "TropoClim.txt"), zoneText(6));
    const MapSet maps = readMapSet(MapSetId::Climate, target);
    EXPECT_EQ(lookupZoneCode(maps, {-40, 170}), 6);
}

TEST(ImportTest, FromPlainFilesAndMixed) {
    const ScratchDir dir;
    fs::create_directories(dir / "in");
    writeFile(dir / "in" / "n050.txt", n0Text());
    writeFile(dir / "in" / "DN50.TXT", deltaNText());
    writeZip(dir / "zones.zip", {{"TropoClim.txt", zoneText(2)}});
    const std::vector<fs::path> files{dir / "in" / "n050.txt", dir / "in" / "DN50.TXT", dir / "zones.zip"};
    const ImportResult result = importMaps(files, dir / "maps");
    EXPECT_EQ(result.installed.size(), 3u);
    EXPECT_EQ(result.missing.size(), 13u);
    EXPECT_EQ(readFile(dir / "maps" / "N050.TXT"), n0Text());
    EXPECT_EQ(describeImport(result), "installed N050.TXT, DN50.TXT and TropoClim.txt in " + (dir / "maps").string() +
                                          "; the complete P.2001 method also needs " + kP2001OnlyMaps +
                                          " (from the ZIP of ITU-R P.2001)");
}

TEST(ImportTest, ARefusedMapLeavesTheEarlierMapsAsTheyWere) {
    const ScratchDir dir;
    const fs::path target = dir / "maps";
    fs::create_directories(target);
    const std::string oldN0 = gridText(121, 241, [](int, int) { return 301; });
    writeFile(target / "N050.TXT", oldN0);
    writeFile(target / "DN50.TXT", deltaNText());

    // A good N0 and a ΔN whose 7th row holds a value out of range.
    std::string lines;
    for (int r = 0; r < 121; ++r) {
        for (int c = 0; c < 241; ++c) lines += (c > 0 ? " " : "") + std::string(r == 6 && c == 11 ? "151" : "40");
        lines += "\n";
    }
    writeZip(dir / "broken.zip", {{"N050.TXT", n0Text()}, {"sub/DN50.TXT", lines}});
    const std::vector<fs::path> files{dir / "broken.zip"};
    try {
        importMaps(files, target);
        ADD_FAILURE() << "imported";
    } catch (const MapError& e) {
        EXPECT_EQ(std::string(e.what()), (dir / "broken.zip").string() +
                                             "/sub/DN50.TXT: row 7, column 12: 151 is out of range "
                                             "(allowed: ΔN from 0 to 150 N-units/km)");
    }
    EXPECT_EQ(readFile(target / "N050.TXT"), oldN0);
    EXPECT_EQ(readFile(target / "DN50.TXT"), deltaNText());
    EXPECT_EQ(folderContents(target), (std::vector<fs::path>{"DN50.TXT", "N050.TXT"}));
}

TEST(ImportTest, RefusedSources) {
    const ScratchDir dir;
    writeZip(dir / "empty.zip", {{"readme.txt", "nothing"}, {"N050.TXT.bak", "x"}});
    writeFile(dir / "damaged.zip", "PK\x03\x04 this is no archive");
    writeFile(dir / "notes.txt", "hello");
    struct Case {
        fs::path file;
        std::string message;
    };
    const std::vector<Case> cases{
        {dir / "empty.zip", (dir / "empty.zip").string() +
                                ": holds none of N050.TXT, DN50.TXT, TropoClim.txt, " + kP2001OnlyMaps + ", not even in a ZIP within it"},
        {dir / "damaged.zip", (dir / "damaged.zip").string() + ": cannot be read as a ZIP"},
        {dir / "notes.txt", (dir / "notes.txt").string() + ": neither a ZIP nor one of N050.TXT, DN50.TXT, TropoClim.txt, " + kP2001OnlyMaps},
        {dir / "absent.zip", (dir / "absent.zip").string() + ": no such file"},
    };
    for (const Case& c : cases) {
        const std::vector<fs::path> files{c.file};
        try {
            importMaps(files, dir / "maps");
            ADD_FAILURE() << c.file;
        } catch (const InstallError& e) {
            EXPECT_EQ(std::string(e.what()), c.message);
        }
    }
    EXPECT_FALSE(fs::exists(dir / "maps"));
}

TEST(ImportTest, AFolderThatCannotBeWritten) {
    const ScratchDir dir;
    writeFile(dir / "N050.TXT", n0Text());
    writeFile(dir / "occupied", "a file where the folder should be");
    const std::vector<fs::path> files{dir / "N050.TXT"};
    for (const fs::path& target : {dir / "occupied", dir / "occupied" / "maps"}) {
        try {
            importMaps(files, target);
            ADD_FAILURE() << target;
        } catch (const InstallError& e) {
            EXPECT_TRUE(std::string(e.what()).starts_with("cannot write the maps folder " + target.string() + ": "))
                << e.what();
        }
    }
    EXPECT_EQ(readFile(dir / "occupied"), "a file where the folder should be");
}

TEST(StatusTest, PathSizeDigestGridAndRange) {
    EXPECT_EQ(sha256Hex("abc"), "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad");
    const ScratchDir dir;
    writeFile(dir / "N050.TXT", n0Text());
    writeFile(dir / "DN50.TXT", "40 41\n");
    const std::vector<MapStatus> status = mapsStatus(dir.path());
    ASSERT_EQ(status.size(), 3u);

    const MapStatus& n0 = status[0];
    EXPECT_EQ(n0.kind, MapKind::N0);
    EXPECT_TRUE(n0.present);
    EXPECT_TRUE(n0.valid);
    EXPECT_EQ(n0.path, dir / "N050.TXT");
    EXPECT_EQ(n0.sizeBytes, n0Text().size());
    EXPECT_EQ(n0.sha256, sha256Hex(n0Text()));
    EXPECT_EQ(n0.rows, 121);
    EXPECT_EQ(n0.columns, 241);
    EXPECT_EQ(n0.minValue, planeN0(0, 0));
    EXPECT_EQ(n0.maxValue, planeN0(120, 240));

    const MapStatus& deltaN = status[1];
    EXPECT_TRUE(deltaN.present);
    EXPECT_FALSE(deltaN.valid);
    EXPECT_EQ(deltaN.sizeBytes, 6u);
    EXPECT_EQ(deltaN.problem, (dir / "DN50.TXT").string() + ": 1 rows (allowed: 121 rows of 241 values)");

    const MapStatus& zones = status[2];
    EXPECT_FALSE(zones.present);
    EXPECT_FALSE(zones.valid);
    EXPECT_EQ(zones.problem, "no TropoClim.txt in " + dir.path().string());
}

}  // namespace
}  // namespace tropolink::climate
