#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "climate/map_reader.h"
#include "climate/map_set.h"
#include "climate/synthetic_maps.h"
#include "tests/climate/synthetic_maps.h"

namespace tropolink::climate {
namespace {

using testing::readFile;
using testing::ScratchDir;

// The generator's maps pass the reader's every check: shape, range, whole numbers.
TEST(SyntheticGeneratorTest, EveryKindReadsBackConstantOrVaried) {
    for (const MapKind kind : kMapKinds) {
        const MapFormat& f = mapFormat(kind);
        const Grid constant = readMap(kind, constantMapText(kind));
        EXPECT_EQ(constant.at(0, 0), syntheticValue(kind)) << f.fileName;
        EXPECT_EQ(constant.at(f.rows - 1, f.columns - 1), syntheticValue(kind)) << f.fileName;
        const Grid varied = readMap(kind, variedMapText(kind));
        EXPECT_GE(varied.at(f.rows / 2, f.columns / 3), f.minValue) << f.fileName;
        EXPECT_LE(varied.at(f.rows / 2, f.columns / 3), f.maxValue) << f.fileName;
        EXPECT_NE(varied.at(0, 1), varied.at(0, 2)) << f.fileName;
    }
}

// The examples' maps give the figures the tool gives without maps.
TEST(SyntheticGeneratorTest, TheConstantsAreTheDefaults) {
    EXPECT_EQ(syntheticValue(MapKind::N0), 310);
    EXPECT_EQ(syntheticValue(MapKind::DeltaN), 40);
    EXPECT_EQ(syntheticValue(MapKind::DnMedian), 40);
    EXPECT_EQ(syntheticValue(MapKind::Zone), 6);
    const ScratchDir dir;
    writeSyntheticMaps(dir.path(), kMapKinds);
    const MapSet climate = readMapSet(MapSetId::Climate, dir.path());
    EXPECT_EQ(climate.at(MapKind::N0, {44.3, -71.3}), 310);
    EXPECT_EQ(readMapSet(MapSetId::P2001All, dir.path()).at(MapKind::Zone, {-33, 151}), 6);
}

// A folder that holds a map already may hold the ITU's: nothing is written,
// unless the caller says the folder is its own.
TEST(SyntheticGeneratorTest, AnExistingMapIsLeftAloneUnlessReplacingIsAsked) {
    const ScratchDir dir;
    const auto theirs = dir.path() / "DN50.TXT";
    testing::writeFile(theirs, "theirs");
    EXPECT_THROW(writeSyntheticMaps(dir.path(), kMapKinds), std::filesystem::filesystem_error);
    EXPECT_EQ(readFile(theirs), "theirs");
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "N050.TXT"));
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "DN50.TXT.partial"));

    writeSyntheticMaps(dir.path(), kClimateMaps, SyntheticFill::Constant, ExistingMaps::Replace);
    EXPECT_EQ(readFile(theirs), constantMapText(MapKind::DeltaN));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 3);
}

}  // namespace
}  // namespace tropolink::climate
