#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "link/p2001_maps.h"

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

}  // namespace
}  // namespace tropolink
