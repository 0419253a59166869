// The profile's zone column and the ITU's own profile layout.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "profile/itu_profile.h"
#include "profile/profile_csv.h"

namespace tropolink::profile {
namespace {

struct Refusal {
    std::string text;
    long row;
    std::string problem;
};

void expectRefusals(const std::vector<Refusal>& cases, std::vector<ProfilePoint> (*read)(std::string_view)) {
    for (const Refusal& c : cases) {
        SCOPED_TRACE(c.text);
        try {
            read(c.text);
            ADD_FAILURE() << "accepted";
        } catch (const ProfileError& e) {
            EXPECT_EQ(e.row(), c.row);
            EXPECT_EQ(e.problem(), c.problem);
        }
    }
}

TEST(ZoneColumnTest, ThreeColumnsCarryTheZoneTwoReadAsBefore) {
    const auto zoned = readProfile("distance_km,height_m,zone\n0,-2,1\n1.5,40,3\n2,900,4\n");
    ASSERT_EQ(zoned.size(), 3u);
    EXPECT_TRUE(hasZones(zoned));
    EXPECT_EQ(zoned[0].zone, 1);
    EXPECT_EQ(zoned[1].zone, 3);
    EXPECT_EQ(zoned[2].zone, 4);
    EXPECT_EQ(zoned[2].row, 4);
    const auto plain = readProfile("0,0\n1,5\n2,0\n");
    EXPECT_FALSE(hasZones(plain));
    for (const ProfilePoint& p : plain) EXPECT_EQ(p.zone, 0);
    // Quoted and padded as spreadsheets write them.
    EXPECT_EQ(readProfile("0,0, \"4\"\n1,0,1.0\n2,0,3e0\n")[1].zone, 1);
}

TEST(ZoneColumnTest, RefusedZonesAndColumnCounts) {
    expectRefusals({{"0,0,4\n1,0,2\n2,0,4\n", 2, "zone is not 1, 3 or 4"},
                    {"0,0,0\n1,0,4\n2,0,4\n", 1, "zone is not 1, 3 or 4"},
                    {"0,0,4\n1,0,3.5\n2,0,4\n", 2, "zone is not 1, 3 or 4"},
                    {"0,0,4\n1,0,5\n2,0,4\n", 2, "zone is not 1, 3 or 4"},
                    {"0,0,4\n1,0,sea\n2,0,4\n", 2, "zone is not a number"},
                    {"0,0,4\n1,0,nan\n2,0,4\n", 2, "zone is not a finite number"},
                    {"0,0,4\n1,0\n2,0,4\n", 2, "2 fields"},
                    {"0,0\n1,0,4\n2,0\n", 2, "3 fields"},
                    {"0,0,4,1\n1,0\n2,0\n", 1, "4 fields"}},
                   readProfile);
}

constexpr std::string_view kItuHeader =
    "File1,Profile,\nLocations,Yes,\nCoords,LlatDeg,\nTxCoordE,-6.3,\nTxCoordN,53.1,\nRxCoordE,-3.1,\n"
    "RxCoordN,54.1,\nData,DHZ,\n";

TEST(ItuLayoutTest, HeaderPointsAndRowsOfThree) {
    const std::string text = std::string(kItuHeader) + "Points,4,\r\n0,10,4\n0.5,0,1,\n1.0,-3,1\n1.5,20,3\n\n";
    AnyProfileRows rows;
    for (std::size_t start = 0; start < text.size();) {
        const auto newline = text.find('\n', start);
        rows.add(std::string_view(text).substr(start, newline - start));
        start = newline == std::string::npos ? text.size() : newline + 1;
    }
    EXPECT_TRUE(rows.ituLayout());
    const auto points = rows.finish();
    ASSERT_EQ(points.size(), 4u);
    EXPECT_EQ(points[0].row, 10);
    EXPECT_EQ(points[1].zone, 1);
    EXPECT_EQ(points[2].heightM, -3);
    EXPECT_EQ(points[3].zone, 3);
}

TEST(ItuLayoutTest, TheCsvLayoutsStillRead) {
    EXPECT_EQ(readAnyProfile("km,m\n0,0\n1,0\n2,0\n").size(), 3u);
    EXPECT_EQ(readAnyProfile("# note\n\n0,0,4\n1,0,4\n2,0,1\n")[2].zone, 1);
}

TEST(ItuLayoutTest, RefusedFiles) {
    const std::string h(kItuHeader);  // rows 1 to 8; "Points" on row 9
    expectRefusals({{h + "Points,3\n0,0,4\n1,0,4\n", 11, "only 2 of the 3 points"},
                    {h + "Points,3\n0,0,4\n1,0,4\n2,0,4\n3,0,4\n", 13, "a row beyond the 3 points"},
                    {h + "Points,2\n0,0,4\n1,0,4\n", 9, "not a count of points"},
                    {h + "Points,3.5\n", 9, "not a count of points"},
                    {h + "Points\n", 9, "not a count of points"},
                    {h + "Points,100001\n", 9, "not a count of points"},
                    {h + "Points,3\n0,0\n1,0,4\n2,0,4\n", 10, "2 fields"},
                    {h + "Points,3\n0,0,4\n1,0,2\n2,0,4\n", 11, "zone is not 1, 3 or 4"},
                    {h + "Points,3\n0,0,4\n0,0,4\n2,0,4\n", 11, "distance does not rise"},
                    {h + "Points,3\n0,0,4\n1,0,4\n" + std::string(kMaxProfileLineBytes + 1, ' ') + "\n", 12,
                     "longer than 4096 bytes"},
                    // Without "Points", the header lines are the CSV's, which allows one.
                    {h + "0,0,4\n1,0,4\n2,0,4\n", 2, "distance is not a number"},
                    {h, 2, "distance is not a number"}},
                   readAnyProfile);
}

}  // namespace
}  // namespace tropolink::profile
