#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "climate/map_reader.h"
#include "synthetic_maps.h"

namespace tropolink::climate {
namespace {

using namespace testing;

// The text of a map of `kind` whose value at (row, column), both from 1, is `field`.
std::string withField(MapKind kind, long row, long column, const std::string& field) {
    const MapFormat& f = mapFormat(kind);
    const std::string fill = kind == MapKind::N0 ? "300" : kind == MapKind::DeltaN ? "40" : "3";
    std::string text;
    for (long r = 1; r <= f.rows; ++r) {
        for (long c = 1; c <= f.columns; ++c) text += (c > 1 ? " " : "") + (r == row && c == column ? field : fill);
        text += "\n";
    }
    return text;
}

std::string rows(const std::string& row, int count) {
    std::string text;
    for (int i = 0; i < count; ++i) text += row + "\n";
    return text;
}

std::string row(const std::string& value, int count) {
    std::string line;
    for (int i = 0; i < count; ++i) line += (i > 0 ? " " : "") + value;
    return line;
}

std::string refusal(MapKind kind, const std::string& text) {
    try {
        readMap(kind, text);
    } catch (const MapError& e) {
        return e.what();
    }
    return "accepted";
}

TEST(MapReaderTest, ReadsTheSyntheticMapsExactly) {
    const Grid n0 = readMap(MapKind::N0, n0Text());
    ASSERT_EQ(n0.rows, 121);
    ASSERT_EQ(n0.columns, 241);
    EXPECT_EQ(n0.at(0, 0), planeN0(0, 0));
    EXPECT_EQ(n0.at(7, 12), planeN0(7, 12));
    EXPECT_EQ(n0.at(120, 240), planeN0(120, 240));
    const Grid zones = readMap(MapKind::Zone, zoneText(5, {{{359, 719}, 2}}));
    ASSERT_EQ(zones.values.size(), 360u * 720u);
    EXPECT_EQ(zones.at(0, 0), 5);
    EXPECT_EQ(zones.at(359, 719), 2);
}

TEST(MapReaderTest, LineEndsBlanksAndNumberForms) {
    std::string text = "\xEF\xBB\xBF";
    for (int r = 0; r < 121; ++r) text += "  " + row("300", 240) + "\t+3.5e2  \r\n";
    text += "\r\n  \n";
    const Grid grid = readMap(MapKind::N0, text);
    EXPECT_EQ(grid.at(0, 0), 300);
    EXPECT_EQ(grid.at(120, 240), 350);
    // The last line without its line end.
    const Grid unended = readMap(MapKind::DeltaN, rows(row("40", 241), 120) + row("41", 241));
    EXPECT_EQ(unended.at(120, 240), 41);
    EXPECT_EQ(readMap(MapKind::Zone, withField(MapKind::Zone, 1, 1, "6.0")).at(0, 0), 6);
}

TEST(MapReaderTest, RefusedMapsNameFileRowAndColumn) {
    const std::string n0Allowed = "(allowed: N0 from 250 to 450 N-units)";
    const std::string deltaNAllowed = "(allowed: ΔN from 0 to 150 N-units/km)";
    const std::string zoneAllowed = "(allowed: zone codes 0 to 6, whole numbers)";
    struct Case {
        MapKind kind;
        std::string text;
        std::string message;
    };
    const std::vector<Case> cases{
        {MapKind::DeltaN, rows(row("40", 241), 120), "DN50.TXT: 120 rows (allowed: 121 rows of 241 values)"},
        {MapKind::N0, rows(row("300", 241), 122), "N050.TXT: 122 rows (allowed: 121 rows of 241 values)"},
        {MapKind::N0, "", "N050.TXT: 0 rows (allowed: 121 rows of 241 values)"},
        {MapKind::Zone, rows(row("1", 720), 359) + row("1", 721) + "\n",
         "TropoClim.txt: row 360: 721 values (allowed: 360 rows of 720 values)"},
        {MapKind::DeltaN, rows(row("40", 241), 4) + row("40", 240) + "\n" + rows(row("40", 241), 116),
         "DN50.TXT: row 5: 240 values (allowed: 121 rows of 241 values)"},
        {MapKind::DeltaN, rows(row("40", 241), 2) + "\n" + rows(row("40", 241), 118),
         "DN50.TXT: row 3: 0 values (allowed: 121 rows of 241 values)"},
        {MapKind::N0, withField(MapKind::N0, 7, 12, "abc"),
         "N050.TXT: row 7, column 12: \"abc\" is not a number " + n0Allowed},
        {MapKind::N0, withField(MapKind::N0, 1, 1, "300x"), "N050.TXT: row 1, column 1: \"300x\" is not a number " + n0Allowed},
        {MapKind::N0, withField(MapKind::N0, 2, 3, "3,5e2"), "N050.TXT: row 2, column 3: \"3,5e2\" is not a number " + n0Allowed},
        {MapKind::N0, withField(MapKind::N0, 2, 3, "nan"), "N050.TXT: row 2, column 3: \"nan\" is not a number " + n0Allowed},
        {MapKind::N0, withField(MapKind::N0, 121, 241, "450.01"), "N050.TXT: row 121, column 241: 450.01 is out of range " + n0Allowed},
        {MapKind::N0, withField(MapKind::N0, 5, 6, "249.99"), "N050.TXT: row 5, column 6: 249.99 is out of range " + n0Allowed},
        {MapKind::N0, withField(MapKind::N0, 5, 6, "1e999"), "N050.TXT: row 5, column 6: 1e999 is out of range " + n0Allowed},
        {MapKind::DeltaN, withField(MapKind::DeltaN, 9, 1, "-0.5"), "DN50.TXT: row 9, column 1: -0.5 is out of range " + deltaNAllowed},
        {MapKind::DeltaN, withField(MapKind::DeltaN, 9, 1, "inf"), "DN50.TXT: row 9, column 1: inf is out of range " + deltaNAllowed},
        {MapKind::DeltaN, withField(MapKind::DeltaN, 9, 1, "150.5"), "DN50.TXT: row 9, column 1: 150.5 is out of range " + deltaNAllowed},
        {MapKind::Zone, withField(MapKind::Zone, 3, 4, "2.5"), "TropoClim.txt: row 3, column 4: 2.5 is not a whole number " + zoneAllowed},
        {MapKind::Zone, withField(MapKind::Zone, 360, 720, "7"), "TropoClim.txt: row 360, column 720: 7 is out of range " + zoneAllowed},
        {MapKind::Zone, withField(MapKind::Zone, 1, 2, "-1"), "TropoClim.txt: row 1, column 2: -1 is out of range " + zoneAllowed},
        {MapKind::Zone, withField(MapKind::Zone, 1, 2, "x\x01\xff"), "TropoClim.txt: row 1, column 2: \"x??\" is not a number " + zoneAllowed},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        EXPECT_EQ(refusal(c.kind, c.text), c.message);
    }
}

TEST(MapReaderTest, LongFieldsAreCutShortInTheMessage) {
    const std::string message = refusal(MapKind::N0, withField(MapKind::N0, 1, 1, std::string(100, 'z')));
    EXPECT_EQ(message, "N050.TXT: row 1, column 1: \"" + std::string(32, 'z') +
                           "...\" is not a number (allowed: N0 from 250 to 450 N-units)");
}

TEST(MapReaderTest, FilesAreNamedByTheirPath) {
    const ScratchDir dir;
    writeFile(dir / "DN50.TXT", rows(row("40", 241), 3));
    try {
        readMapFile(MapKind::DeltaN, dir / "DN50.TXT");
        ADD_FAILURE() << "accepted";
    } catch (const MapError& e) {
        EXPECT_EQ(std::string(e.what()), (dir / "DN50.TXT").string() + ": 3 rows (allowed: 121 rows of 241 values)");
        EXPECT_EQ(e.row(), 0);
    }
    EXPECT_THROW(readMapFile(MapKind::DeltaN, dir / "absent.txt"), MapError);
}

}  // namespace
}  // namespace tropolink::climate
