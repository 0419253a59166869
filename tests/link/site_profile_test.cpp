#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "ground/site_profile.h"
#include "itur/scatter_geometry.h"
#include "link/site_climate.h"
#include "profile/itu_horizon.h"
#include "profile/profile_settings.h"
#include "terrain/geodesic_path.h"

namespace tropolink {
namespace {

using profile::ProfilePoint;
using testing::HasSubstr;

// Two sites about 100.3 km apart along a meridian.
constexpr terrain::Site kSite1{50.0, 10.0};
constexpr terrain::Site kSite2{50.9, 10.0};

std::vector<ProfilePoint> flatProfile(double lengthKm, double stepKm, double heightM = 0) {
    std::vector<ProfilePoint> points;
    long row = kFirstPointRow;
    for (double d = 0; d < lengthKm; d += stepKm) points.push_back({d, heightM, row++});
    points.push_back({lengthKm, heightM, row});
    return points;
}

// Maps whose N0 and ΔN are planes in the grid's row and column, so bilinear
// lookups are exact, and one climate zone everywhere.
// `n0Offset` raises N0 everywhere.
MapsInUse planeMaps(int zoneCode, double n0Offset = 0) {
    climate::Grid n0{121, 241, {}};
    climate::Grid deltaN{121, 241, {}};
    for (int r = 0; r < 121; ++r)
        for (int c = 0; c < 241; ++c) {
            n0.values.push_back(300 + 0.5 * r + 0.25 * c + n0Offset);
            deltaN.values.push_back(40 + 0.1 * r + 0.2 * c);
        }
    const climate::Grid zones{360, 720, std::vector<double>(360 * 720, zoneCode)};
    return std::make_shared<const climate::MapSet>(
        climate::MapSetId::Climate, "/maps",
        std::vector<climate::MapSet::Map>{{climate::MapKind::N0, "/maps/N050.TXT", n0},
                                          {climate::MapKind::DeltaN, "/maps/DN50.TXT", deltaN},
                                          {climate::MapKind::Zone, "/maps/TropoClim.txt", zones}});
}
double planeN0(terrain::Site s) { return 300 + 0.5 * (90 - s.latDeg) / 1.5 + 0.25 * s.lonDeg / 1.5; }
double planeDeltaN(terrain::Site s) { return 40 + 0.1 * (90 - s.latDeg) / 1.5 + 0.2 * s.lonDeg / 1.5; }

TEST(PlaceProfileTest, LengthWithinOnePercentOfTheGeodesic) {
    const double geodesicKm = terrain::GeodesicPath(kSite1, kSite2).lengthKm();
    struct Case {
        double lastKm;
        bool accepted;
    };
    for (const Case c : {Case{geodesicKm, true}, Case{geodesicKm * 1.0099, true}, Case{geodesicKm * 0.9901, true},
                         Case{geodesicKm * 1.0101, false}, Case{geodesicKm * 0.9899, false}}) {
        SCOPED_TRACE(c.lastKm);
        auto points = flatProfile(c.lastKm, 1);
        if (c.accepted) {
            const PlacedProfile placed = placeProfile(points, kSite1, kSite2);
            EXPECT_NEAR(placed.path.latDeg.back(), terrain::GeodesicPath(kSite1, kSite2).at(c.lastKm).latDeg, 1e-12);
            EXPECT_EQ(placed.points.size(), points.size());
        } else {
            try {
                placeProfile(points, kSite1, kSite2);
                ADD_FAILURE() << "accepted";
            } catch (const profile::ProfileError& e) {
                EXPECT_THAT(e.problem(), HasSubstr(" km long, the path between the sites "));
                EXPECT_EQ(e.row(), points.back().row);
            }
        }
    }
}

TEST(ProfileCsvTest, ReadsBackToTheSamePointsAndRows) {
    const std::vector<ProfilePoint> points{{0, 12.25, 2}, {0.092, 13.1, 3}, {0.1 + 0.2, 1e-7, 4}, {84.501234567891, 1907.3, 5}};
    const std::vector<ProfilePoint> read = profile::readProfile(profileCsv(points));
    ASSERT_EQ(read.size(), points.size());
    for (std::size_t i = 0; i < points.size(); ++i) {
        EXPECT_EQ(read[i].distanceKm, points[i].distanceKm);
        EXPECT_EQ(read[i].heightM, points[i].heightM);
        EXPECT_EQ(read[i].row, points[i].row);
    }
}

TEST(ItuHorizonTest, SearchesTheWholePathOnTheGivenRadius) {
    // A 300 m hill 150 km from station 1 on a 300 km path: beyond the
    // obstruction slider's reach, so only the ITU search sees it.
    auto points = flatProfile(300, 1);
    points[150].heightM = 3000;
    const double ae = itur::effectiveEarthRadiusKm(40);
    const profile::Horizon h = profile::ituHorizon(points, profile::Station::One, 10, ae);
    EXPECT_EQ(h.index, 150u);
    EXPECT_DOUBLE_EQ(h.angleMrad, (3000.0 - 10) / 150 - 500 * 150 / ae);
    const profile::Horizon h2 = profile::ituHorizon(points, profile::Station::Two, 10, ae);
    EXPECT_EQ(h2.index, 150u);
    EXPECT_DOUBLE_EQ(h2.distanceKm, 150);
}

TEST(ItuHorizonTest, OnFlatGroundTheFirstPointWins) {
    const auto points = flatProfile(50, 1);
    EXPECT_EQ(profile::ituHorizon(points, profile::Station::One, 0, 8500).index, 1u);
    EXPECT_EQ(profile::ituHorizon(points, profile::Station::Two, 0, 8500).index, points.size() - 2);
}

struct ClimateFixture : testing::Test {
    PlacedProfile placed = placeProfile(flatProfile(terrain::GeodesicPath(kSite1, kSite2).lengthKm(), 1), kSite1, kSite2);
    profile::ProfileSettings settings = profile::deriveSettings(placed.points, 10, 10);
    MapsInUse maps = planeMaps(5);
    ClimateRequest request = requestWithSlider310();

    static ClimateRequest requestWithSlider310() {
        ClimateRequest r;
        r.defaultN0 = 310;
        return r;
    }
};

TEST_F(ClimateFixture, MapValuesAtTheMidpointAndTheCommonVolume) {
    const SiteClimate c = siteClimate(placed, settings, request, maps);
    ASSERT_FALSE(c.lineOfSight);
    ASSERT_TRUE(c.commonVolume);
    EXPECT_EQ(c.deltaNRadius.source, ClimateSource::Map);
    EXPECT_NEAR(c.deltaNRadius.value, planeDeltaN(c.midpoint), 1e-9);
    EXPECT_DOUBLE_EQ(c.effectiveEarthRadiusKm, itur::effectiveEarthRadiusKm(c.deltaNRadius.value));
    // Symmetric flat path: the rays cross half-way.
    EXPECT_NEAR(c.commonVolume->distanceKm, placed.points.back().distanceKm / 2, 0.01);
    EXPECT_NEAR(c.n0.value, planeN0(c.commonVolume->site), 1e-9);
    EXPECT_NEAR(c.deltaN.value, planeDeltaN(c.commonVolume->site), 1e-9);
    EXPECT_EQ(c.n0.where, "common volume");
    EXPECT_EQ(c.mapsFolder, "/maps");
    EXPECT_EQ(c.n0.file, "/maps/N050.TXT");
    EXPECT_EQ(c.deltaNRadius.file, "/maps/DN50.TXT");
    EXPECT_EQ(c.climateZone.file, "/maps/TropoClim.txt");
    EXPECT_EQ(c.climateZone.value, 5);
    EXPECT_EQ(c.zoneCode, 5);
    ASSERT_TRUE(c.surfaceRefractivityPosition);
    EXPECT_EQ(*c.surfaceRefractivityPosition, static_cast<int>(std::round(c.n0.value)));
    EXPECT_EQ(c.surfaceRefractivityNote, "");
}

TEST_F(ClimateFixture, OptionsWinOverTheMapsAndDefaultsStandWithout) {
    request.deltaN = 41.338935;
    request.n0 = 324.5;
    request.climateZone = 2;
    request.surfaceRefractivitySet = true;
    const SiteClimate c = siteClimate(placed, settings, request, maps);
    EXPECT_EQ(c.deltaNRadius.value, 41.338935);
    EXPECT_EQ(c.deltaN.source, ClimateSource::Option);
    EXPECT_EQ(c.n0.value, 324.5);
    EXPECT_EQ(c.climateZone.value, 2);
    EXPECT_FALSE(c.surfaceRefractivityPosition);

    const SiteClimate d = siteClimate(placed, settings, requestWithSlider310(), {});
    EXPECT_EQ(d.deltaN.source, ClimateSource::Default);
    EXPECT_FALSE(d.mapsFolder);
    EXPECT_TRUE(d.n0.file.empty());
    EXPECT_EQ(d.deltaN.value, 40);
    EXPECT_EQ(d.n0.value, 310);
    EXPECT_EQ(d.climateZone.value, 6);
    EXPECT_FALSE(d.surfaceRefractivityPosition);
}

TEST_F(ClimateFixture, SeaZoneAtTheCommonVolumeAndTheSliderHeldToItsRange) {
    const MapsInUse sea = planeMaps(0, 60);  // N0 about 390: above the slider's 350
    const SiteClimate c = siteClimate(placed, settings, request, sea);
    EXPECT_EQ(c.zoneCode, 0);
    EXPECT_EQ(c.climateZone.value, 7);
    EXPECT_EQ(c.surfaceRefractivityPosition, 350);
    EXPECT_THAT(c.surfaceRefractivityNote, HasSubstr("it shows 350"));
}

TEST_F(ClimateFixture, AMapDeltaNOutsideTheOptionsRangeIsUsedWithANote) {
    const struct {
        double deltaN;
        bool noted;
    } cases[] = {{19.999, true}, {20, false}, {80, false}, {80.001, true}, {150, true}};
    for (const auto& c : cases) {
        MapsInUse flat = std::make_shared<const climate::MapSet>(
            climate::MapSetId::Climate, "/maps",
            std::vector<climate::MapSet::Map>{
                {climate::MapKind::N0, "/maps/N050.TXT", maps->grid(climate::MapKind::N0)},
                {climate::MapKind::DeltaN, "/maps/DN50.TXT", climate::Grid{121, 241, std::vector<double>(121 * 241, c.deltaN)}},
                {climate::MapKind::Zone, "/maps/TropoClim.txt", maps->grid(climate::MapKind::Zone)}});
        const SiteClimate climate = siteClimate(placed, settings, request, flat);
        EXPECT_EQ(climate.deltaN.value, c.deltaN);
        EXPECT_EQ(!climate.deltaNNote.empty(), c.noted) << c.deltaN;
        if (c.noted) {
            EXPECT_THAT(climate.deltaNNote, HasSubstr("from DN50.TXT at the midpoint is outside 20 to 80"));
        }
    }
}

TEST_F(ClimateFixture, LineOfSightTakesTheMidpoint) {
    settings = profile::deriveSettings(placed.points, 10000, 10000);
    const SiteClimate c = siteClimate(placed, settings, request, maps);
    EXPECT_TRUE(c.lineOfSight);
    EXPECT_FALSE(c.commonVolume);
    EXPECT_EQ(c.n0.where, "midpoint");
    EXPECT_NEAR(c.n0.value, planeN0(c.midpoint), 1e-9);
}

}  // namespace
}  // namespace tropolink
