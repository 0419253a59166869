#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "climate/map_error.h"
#include "link/p2001_maps.h"
#include "tests/climate/synthetic_itu_maps.h"

namespace tropolink {
namespace {

using climate::MapKind;

constexpr p2001::MapFile kFiles[] = {
    p2001::MapFile::DnMedian, p2001::MapFile::DnSupSlope, p2001::MapFile::DnSubSlope, p2001::MapFile::Dndz01,
    p2001::MapFile::SurfaceWaterVapour, p2001::MapFile::ZeroDegreeHeight, p2001::MapFile::RainPr6,
    p2001::MapFile::RainMt, p2001::MapFile::RainBeta, p2001::MapFile::FoEs01, p2001::MapFile::FoEs1,
    p2001::MapFile::FoEs10, p2001::MapFile::FoEs50, p2001::MapFile::TropoClim,
};

// Every map of the set holds its own index times 1000 plus its row, so a
// value tells both which map was read and at which latitude.
std::shared_ptr<const climate::MapSet> indexedMaps(std::size_t leaveOut = SIZE_MAX) {
    std::vector<climate::MapSet::Map> maps;
    for (std::size_t i = 0; i < climate::kP2001AllMaps.size(); ++i) {
        if (i == leaveOut) continue;
        const MapKind kind = climate::kP2001AllMaps[i];
        const climate::MapFormat& f = climate::mapFormat(kind);
        climate::Grid grid{f.rows, f.columns, {}};
        for (int r = 0; r < f.rows; ++r)
            for (int c = 0; c < f.columns; ++c) grid.values.push_back(1000.0 * static_cast<double>(i) + r);
        maps.push_back({kind, "/maps/" + std::string(f.fileName), std::move(grid)});
    }
    return std::make_shared<const climate::MapSet>(climate::MapSetId::P2001All, "/maps", std::move(maps));
}

TEST(P2001MapsTest, EachFileReadsTheMapOfItsName) {
    const p2001::MapReader read = p2001MapReader(indexedMaps());
    for (const p2001::MapFile file : kFiles) {
        const MapKind kind = p2001MapKind(file);
        SCOPED_TRACE(p2001::mapFileName(file));
        EXPECT_EQ(climate::mapFormat(kind).fileName, p2001::mapFileName(file));
        const auto index = static_cast<double>(std::find(climate::kP2001AllMaps.begin(),
                                                         climate::kP2001AllMaps.end(), kind) -
                                               climate::kP2001AllMaps.begin());
        // Longitude first in the method's points: at 90° N every grid is on its first row.
        EXPECT_EQ(read(file, {-170, 90}), 1000 * index);
    }
    // 45° S, 30° W: row 90 of the 1.5° grids, 120 of the 1.125°, 269 of TropoClim (the smaller on a half).
    EXPECT_EQ(read(p2001::MapFile::DnMedian, {-30, -45}), 90);
    EXPECT_EQ(read(p2001::MapFile::RainMt, {-30, -45}), 7000 + 120);
    EXPECT_EQ(read(p2001::MapFile::TropoClim, {-30, -45}), 13000 + 269);
}

TEST(P2001MapsTest, RefusesASetWithoutAllFourteen) {
    EXPECT_THROW(p2001MapReader(nullptr), std::invalid_argument);
    try {
        p2001MapReader(indexedMaps(4));
        ADD_FAILURE() << "accepted";
    } catch (const std::invalid_argument& e) {
        EXPECT_STREQ(e.what(), "the maps in /maps lack surfwv_50_fixed.txt");
    }
}

TEST(P2001MapsTest, WithoutTheFourteenOneLineNamesWhatIsMissingAndHowToInstallIt) {
    const climate::testing::ScratchDir dir;
    climate::testing::writeTroposcatterMaps(dir / "three");
    climate::testing::writeP2001AllMaps(dir / "most");
    std::filesystem::remove(dir / "most" / "FoEs10.txt");
    std::filesystem::remove(dir / "most" / "h0.txt");
    const std::string install =
        "; install them with `tropolink-cli maps import ZIP` from the ZIP of ITU-R P.2001, or `tropolink-cli maps "
        "download`";
    struct Case {
        std::vector<std::filesystem::path> folders;
        std::string line;
    };
    const std::vector<Case> cases{
        {{dir / "three", dir / "most", dir / "absent"},
         "the complete P.2001 method needs its 14 ITU-R maps; " + (dir / "most").string() +
             " lacks h0.txt and FoEs10.txt" + install},
        {{dir / "absent"},
         "the complete P.2001 method needs its 14 ITU-R maps; " + (dir / "absent").string() +
             " lacks DN_Median.txt, DN_SupSlope.txt, DN_SubSlope.txt, dndz_01.txt, surfwv_50_fixed.txt, h0.txt, "
             "Esarain_Pr6_v5.txt, Esarain_Mt_v5.txt, Esarain_Beta_v5.txt, FoEs0.1.txt, FoEs01.txt, FoEs10.txt, "
             "FoEs50.txt and TropoClim.txt" +
             install},
    };
    for (const Case& c : cases) EXPECT_EQ(missingP2001MapsLine(c.folders), c.line);

    climate::MapsService service;
    try {
        requireP2001Maps(dir / "three", service);
        ADD_FAILURE() << "found";
    } catch (const climate::InstallError& e) {
        // TropoClim.txt is there, so it is not named.
        EXPECT_EQ(std::string(e.what()), "the complete P.2001 method needs its 14 ITU-R maps; " +
                                             (dir / "three").string() +
                                             " lacks DN_Median.txt, DN_SupSlope.txt, DN_SubSlope.txt, dndz_01.txt, "
                                             "surfwv_50_fixed.txt, h0.txt, Esarain_Pr6_v5.txt, Esarain_Mt_v5.txt, "
                                             "Esarain_Beta_v5.txt, FoEs0.1.txt, FoEs01.txt, FoEs10.txt and FoEs50.txt" +
                                             install);
    }
}

TEST(P2001MapsTest, APlanNotesTheMissingMapsOnlyWhereSomeAreMissing) {
    const climate::testing::ScratchDir dir;
    climate::testing::writeTroposcatterMaps(dir.path());
    EXPECT_EQ(p2001MapsNote(dir.path()),
              "the complete P.2001 method needs 14 ITU-R maps, of which " + dir.path().string() +
                  " lacks 13 (install them with: tropolink-cli maps download, or maps import ZIP)");
    climate::testing::writeP2001AllMaps(dir.path());
    EXPECT_EQ(p2001MapsNote(dir.path()), std::nullopt);
    const auto maps = requireP2001Maps(dir.path());
    EXPECT_EQ(p2001MapReader(maps)(p2001::MapFile::Dndz01, {5, 5}), -400);
}

}  // namespace
}  // namespace tropolink
