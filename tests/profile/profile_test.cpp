#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <string>
#include <vector>

#include "engine/constants.h"
#include "engine/link_parameters.h"
#include "engine/path_geometry.h"
#include "profile/horizon.h"
#include "profile/profile_csv.h"
#include "profile/profile_settings.h"
#include "profile/rays.h"

namespace tropolink::profile {
namespace {

// Sea level every `stepKm` from 0 to `pathKm`, with `hills` (km, m) put on the nearest samples.
std::vector<ProfilePoint> seaLevel(double pathKm, double stepKm, std::vector<std::pair<double, double>> hills = {}) {
    std::vector<ProfilePoint> points;
    const auto n = static_cast<long>(std::lround(pathKm / stepKm));
    for (long i = 0; i <= n; ++i) points.push_back({static_cast<double>(i) * stepKm, 0, i + 1});
    for (const auto& [km, m] : hills) points[static_cast<std::size_t>(std::lround(km / stepKm))].heightM = m;
    return points;
}

long errorRow(std::string_view text) {
    try {
        readProfile(text);
    } catch (const ProfileError& e) {
        return e.row();
    }
    return -1;
}

TEST(ProfileCsvTest, HeaderCommentsBlanksAndLineEnds) {
    const auto points = readProfile("# survey\r\n\"km\",\"m\"\r\n\r\n0, 12\r\n  1.5 ,+13.25\r\n3,\"-4\"\n#end\n");
    ASSERT_EQ(points.size(), 3u);
    EXPECT_EQ(points[1].distanceKm, 1.5);
    EXPECT_EQ(points[1].heightM, 13.25);
    EXPECT_EQ(points[1].row, 5);
    EXPECT_EQ(points[2].heightM, -4);
}

TEST(ProfileCsvTest, RefusedRowsNameTheirLine) {
    struct Case {
        std::string text;
        long row;
        std::string problem;
    };
    const std::vector<Case> cases{
        {"km,m\n0,0\n1,abc\n2,0\n", 3, "height is not a number"},
        {"0,0\n1x,0\n2,0\n", 2, "distance is not a number"},
        {"0,0\n1,nan\n2,0\n", 2, "height is not a finite number"},
        {"0,0\n1,-inf\n2,0\n", 2, "height is not a finite number"},
        {"0,0\n1,1e999\n2,0\n", 2, "height is not a finite number"},
        {"0,0\n1,0\n1,0\n", 3, "distance does not rise"},
        {"0,0\n2,0\n1,0\n", 3, "distance does not rise"},
        {"0.1,0\n1,0\n2,0\n", 1, "the first point is not at distance 0"},
        {"0,0\n1,0,5\n2,0\n", 2, "3 fields"},
        {"0,0\n1\n2,0\n", 2, "1 field"},
        {"0,0\n\n# two rows\n1,0\n", 4, "only 2 points"},
        {"# nothing\n", 0, "only 0 points"},
        {"km,m\n", 0, "only 0 points"},
        // A byte order mark only at the very start of the file.
        {"0,0\n\xEF\xBB\xBF"
         "1,0\n2,0\n",
         2, "distance is not a number"},
        {"0,0\n1,0\n" + std::string(kMaxProfileLineBytes - 2, ' ') + "2,0\n", 3, "longer than 4096 bytes"},
        {"0,0\n" + std::string(kMaxProfileLineBytes + 1, '#') + "\n2,0\n", 2, "longer than 4096 bytes"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        try {
            readProfile(c.text);
            ADD_FAILURE() << "accepted";
        } catch (const ProfileError& e) {
            EXPECT_EQ(e.row(), c.row);
            EXPECT_EQ(e.problem(), c.problem);
        }
    }
}

TEST(ProfileCsvTest, AByteOrderMarkAndTheLongestRowAreRead) {
    const auto points = readProfile(
        "\xEF\xBB\xBF"
        "0,0\n1e0,2E1\n" +
        std::string(kMaxProfileLineBytes - 4, ' ') + "2,0\r\n");
    ASSERT_EQ(points.size(), 3u);
    EXPECT_EQ(points[1].heightM, 20);
    EXPECT_EQ(readProfile("\xEF\xBB\xBFkm,m\n0,0\n1,0\n2,0\n").size(), 3u);  // the header after it
}

// Rows are refused as they come, whatever would follow.
TEST(ProfileCsvTest, RowsStopAtTheFirstBadOne) {
    ProfileRows rows;
    rows.add("0,0");
    rows.add("5,0");
    EXPECT_THROW(rows.add("5,0"), ProfileError);
    EXPECT_EQ(rows.rowCount(), 3);
}

TEST(ProfileCsvTest, AtMostOneHundredThousandPoints) {
    std::string text;
    for (int i = 0; i < 100000; ++i) text += std::to_string(i) + ",0\n";
    EXPECT_EQ(readProfile(text).size(), 100000u);
    EXPECT_EQ(errorRow(text + "100000,0\n"), 100001);
}

TEST(HorizonTest, SmoothSeaLevelReachesTheGeometricHorizon) {
    const std::vector<ProfilePoint> points = seaLevel(250, 0.1);
    for (const double mastM : {1.0, 10.0, 50.0, 300.0}) {
        const double geometricKm = std::sqrt(2 * 8494.64543 * mastM / 1000);
        for (const Station station : {Station::One, Station::Two}) {
            const auto h = findHorizon(points, station, mastM);
            ASSERT_TRUE(h);
            EXPECT_NEAR(h->distanceKm, geometricKm, 0.1) << mastM << " m";
        }
    }
}

TEST(HorizonTest, OnlyPointsWithinOneHundredKilometresCount) {
    // A 3000 m peak 101 km out hides nothing; one at 100 km is the horizon.
    EXPECT_NEAR(findHorizon(seaLevel(300, 1, {{101, 3000}}), Station::One, 10)->distanceKm, 13, 1e-9);
    EXPECT_EQ(findHorizon(seaLevel(300, 1, {{200, 3000}}), Station::Two, 10)->distanceKm, 100);
    EXPECT_FALSE(findHorizon(seaLevel(300, 150), Station::One, 10));
}

TEST(HorizonTest, TiesGoToTheNearerPoint) {
    // From an antenna at sea level, a point 2 km out at about 1000/R m is seen at the angle of the sea 1 km
    // out; find the height whose angle ties to the last bit.
    const double nearAngle = elevationMrad(0, 0, 1);
    double tieM = 1000 / kEffectiveEarthRadiusKm;
    for (int step = 0; step < 64 && elevationMrad(0, tieM / 1000, 2) != nearAngle; ++step)
        tieM = std::nextafter(tieM, elevationMrad(0, tieM / 1000, 2) < nearAngle ? 1.0 : 0.0);
    ASSERT_EQ(elevationMrad(0, tieM / 1000, 2), nearAngle);

    auto points = seaLevel(6, 1, {{2, tieM}, {4, tieM}});
    EXPECT_EQ(findHorizon(points, Station::One, 0)->distanceKm, 1);
    EXPECT_EQ(findHorizon(points, Station::Two, 0)->distanceKm, 1);
    // A hair higher, the far point wins.
    points[2].heightM = points[4].heightM = tieM * (1 + 1e-9);
    EXPECT_EQ(findHorizon(points, Station::One, 0)->distanceKm, 2);
    EXPECT_EQ(findHorizon(points, Station::Two, 0)->distanceKm, 2);
}

TEST(SettingsTest, RoundsHalfAwayFromZeroToTheGrid) {
    EXPECT_EQ(roundToGrid(100.3 - 99.8), 1);
    EXPECT_EQ(roundToGrid(2.5), 3);
    EXPECT_EQ(roundToGrid(2.4999), 2);
    EXPECT_EQ(roundToGrid(-0.5), -1);
    EXPECT_EQ(roundToGrid(12.3 + 10.2), 23);
}

TEST(SettingsTest, HillAtEightKilometres) {
    const auto points = seaLevel(250, 0.1, {{8, 300}});
    const ProfileSettings p = deriveSettings(points, 10, 25.5);
    EXPECT_DOUBLE_EQ(p.station1.horizon.distanceKm, 8);
    EXPECT_EQ(p.station1.horizonRow, 81);
    EXPECT_EQ(p.station1.antennaHeightOnGrid, 10);
    EXPECT_EQ(p.station1.obstructionHeightOnGrid, 300);
    EXPECT_EQ(p.station1.obstructionDistanceOnGrid, 8);
    EXPECT_EQ(p.station2.antennaHeightOnGrid, 26);
    EXPECT_EQ(p.distanceOnGrid, 250);
    // On the grid already: the rounded settings see the same angle.
    EXPECT_DOUBLE_EQ(p.station1.angleOnGridMrad, p.station1.horizon.angleMrad);

    // And that angle is the pass's own obstruction angle for those settings.
    LinkParameters params;
    params.station1.antennaHeight = 0.01;
    params.station1.obstructionHeight = 0.3;
    params.station1.obstructionDistance = 8;
    params.station2 = params.station1;
    params.distance = 250;
    const PathGeometry g = computePathGeometry(params);
    EXPECT_DOUBLE_EQ(g.station1.obstructionAngle, p.station1.angleOnGridMrad / 1000 * kDegreesPerRadian);
}

TEST(SettingsTest, EachSliderTakesItsOwnFigure) {
    ProfileSettings p;
    p.station1.antennaHeightOnGrid = 11;
    p.station1.obstructionHeightOnGrid = 12;
    p.station1.obstructionDistanceOnGrid = 13;
    p.station2.antennaHeightOnGrid = 21;
    p.station2.obstructionHeightOnGrid = 22;
    p.station2.obstructionDistanceOnGrid = 23;
    p.distanceOnGrid = 99;
    const std::vector<std::pair<Slider, std::optional<int>>> cases{
        {Slider::HScroll1, 11},           {Slider::HScroll2, 12},           {Slider::HScroll3, 13},
        {Slider::HScroll11, 21},          {Slider::HScroll12, 22},          {Slider::HScroll13, 23},
        {Slider::HScroll22, 99},          {Slider::HScroll4, std::nullopt}, {Slider::HScroll21, std::nullopt},
        {Slider::HScroll23, std::nullopt}};
    for (const auto& [slider, position] : cases)
        EXPECT_EQ(sliderPosition(p, slider), position) << sliderSpec(slider).name;
    // A mast of the limit itself stands an antenna at sea level at the slider's top.
    EXPECT_EQ(kMaxMastM, 10000);
    EXPECT_EQ(deriveSettings(seaLevel(50, 1), kMaxMastM, 10).station1.antennaHeightOnGrid, 10000);
}

TEST(SettingsTest, ValuesOutsideTheSlidersNameTheirRow) {
    struct Case {
        std::vector<ProfilePoint> points;
        double mast1;
        long row;
    };
    auto tall = seaLevel(50, 1, {{5, 10000.6}});
    auto deep = seaLevel(50, 1);
    deep.front().heightM = -11;
    const std::vector<Case> cases{
        {tall, 10, 6},                      // horizon above 10000 m
        {deep, 10, 1},                      // antenna below sea level
        {seaLevel(2000.5, 0.5), 10, 4002},  // path rounds to 2001 km
        {seaLevel(0.4, 0.1), 10, 5},        // path rounds to 0 km
        {seaLevel(300, 150), 10, 1},        // no point within 100 km of station 1
    };
    EXPECT_EQ(deriveSettings(seaLevel(50, 1), 9999.5, 10).station1.antennaHeightOnGrid, 10000);
    for (std::size_t i = 0; i < cases.size(); ++i) {
        SCOPED_TRACE(i);
        try {
            deriveSettings(cases[i].points, cases[i].mast1, 10);
            ADD_FAILURE() << "accepted";
        } catch (const ProfileError& e) {
            EXPECT_EQ(e.row(), cases[i].row) << e.what();
        }
    }
}

TEST(RaysTest, CrossingOfSymmetricHorizonsIsMidPath) {
    const auto points = seaLevel(200, 0.1);
    const ProfileSettings p = deriveSettings(points, 10, 10);
    const auto c = horizonRaysCrossing(p);
    ASSERT_TRUE(c);
    EXPECT_NEAR(c->distanceKm, 100, 1e-6);
    // Both rays graze the sea about 13 km out; mid-path they are (100 - 13)² / 2R above the sea.
    EXPECT_NEAR(c->heightM, 1000 * (100 - 13.03) * (100 - 13.03) / (2 * 8494.64543), 15);
    EXPECT_TRUE(firstPointAboveDirectLine(points, p));
    EXPECT_FALSE(firstPointAboveDirectLine(seaLevel(10, 0.1), deriveSettings(seaLevel(10, 0.1), 10, 10)));

    const auto hill = seaLevel(10, 1, {{4, 100}});
    EXPECT_DOUBLE_EQ(groundHeightAtM(hill, 3.25), 25);
    EXPECT_DOUBLE_EQ(groundHeightAtM(hill, 4), 100);
    EXPECT_DOUBLE_EQ(groundHeightAtM(hill, 10), 0);
}

}  // namespace
}  // namespace tropolink::profile
