// A cell's value is the single-path computation for its path, exactly: the
// map's bands read back from the GeoTIFF against the DEM profile from the
// site to the cell's centre and the same method, on random cells, for each
// method; the methods against the routes they stand for (P.2001 one row at a
// time, and the troposcatter methods as the profile command runs them).
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <random>

#include "coverage/coverage_run.h"
#include "coverage_fixtures.h"
#include "engine/headless_window.h"
#include "link/profile_answer.h"
#include "ground/site_profile.h"
#include "p2001/profile_zones.h"
#include "p2001/row_evaluation.h"

namespace tropolink::coverage {
namespace {

using namespace testing_support;

// Near the coast of the tile: paths over hills, shore and sea.
constexpr terrain::Site kCoastSite{44.45, -71.3};

bool sameFloat(float a, float b) { return std::memcmp(&a, &b, sizeof a) == 0; }

void expectCellsArePaths(const PathMethod& method, const terrain::ProfileOptions& options, int randomCells) {
    const Tiles tiles;
    TempDir out;
    CoverageSetup setup = setupFor(tiles.dems, method, 20, 1500, kCoastSite);
    setup.profile = options;
    const std::string tif = (out / "map.tif").string();
    const CoverageSummary summary = runCoverage(setup, {.geotiff = tif}, {.jobs = 2});
    ASSERT_GT(summary.counts[CellKind::Computed], 300u);

    // A DemSet of its own, as a single path's command opens.
    const terrain::DemSet dems(tiles.paths);
    terrain::DemSampler sampler(dems);
    std::vector<std::vector<float>> bands;
    for (std::size_t b = 0; b < method.percents().size(); ++b) bands.push_back(readBand(tif, static_cast<int>(b) + 1));
    std::mt19937 random(2001);
    std::uniform_int_distribution<int> rowOf(0, setup.grid.rows() - 1), colOf(0, setup.grid.cols() - 1);
    int checked = 0;
    while (checked < randomCells) {
        const int row = rowOf(random), col = colOf(random);
        const terrain::Site centre = setup.grid.cellCentre(row, col);
        if (cellWithoutPath(setup, sampler, row, col)) continue;
        const auto losses = pathLosses(method, sampler, kCoastSite, centre, options);
        for (std::size_t b = 0; b < losses.size(); ++b) {
            const float value = bands[b][static_cast<std::size_t>(row) * setup.grid.cols() + col];
            const float expected = losses[b] ? static_cast<float>(*losses[b]) : NAN;
            EXPECT_TRUE(sameFloat(value, expected) || (std::isnan(value) && std::isnan(expected)))
                << method.name() << " cell " << row << "," << col << " band " << b << ": " << value << " against "
                << expected;
        }
        ++checked;
    }
}

TEST(CellIsPathTest, CompleteP2001) {
    const P2001Method method(p2001Settings(), placeDependentMaps());
    expectCellsArePaths(method, {}, 40);
}

TEST(CellIsPathTest, P617AndP2001Troposcatter) {
    for (const itur::ItuMethod m : itur::kItuMethods) {
        const TroposcatterMethod method(troposcatterSettings(m), MapsInUse{});
        expectCellsArePaths(method, {.stepM = 250}, 40);
    }
}

// The evaluator gives what the method gives one row at a time from the same
// path: the profile, its zones, the terminals and the maps read where the
// method asks.
TEST(CellIsPathTest, P2001EvaluatorIsTheMethodRowByRow) {
    const Tiles tiles;
    terrain::DemSampler sampler(tiles.dems);
    const P2001Settings settings = p2001Settings({1, 50, 99.9});
    const P2001Maps maps = placeDependentMaps();
    const P2001Method method(settings, maps);
    for (const terrain::Site cell : {terrain::Site{44.6, -71.1}, terrain::Site{44.2, -71.45}, terrain::Site{44.9, -71.6}}) {
        const terrain::PathProfile profile = terrain::computeProfile(sampler, kCoastSite, cell);
        p2001::PathInput path;
        path.distanceKm = profile.distanceKm;
        path.heightM = profile.heightM;
        path.zone = p2001::profileZones(profile.distanceKm, profile.heightM);
        path.tx = {kCoastSite.lonDeg, kCoastSite.latDeg, 30, 25};
        path.rx = {cell.lonDeg, cell.latDeg, 10, 12};
        p2001::MapValues values;
        const double dn = maps.read(p2001::MapFile::DnMedian, p2001::pathMidPoint(path));
        for (const p2001::MapLookup& l : p2001::mapLookups(path, dn)) p2001::assignMapValue(values, l, maps.read(l.file, l.at));
        std::vector<std::optional<double>> losses(3);
        method.losses({kCoastSite, cell, profile}, losses);
        for (std::size_t i = 0; i < 3; ++i) {
            const p2001::Row row = p2001::computeRow(path, values, 2.0, settings.percents[i]);
            ASSERT_TRUE(losses[i].has_value());
            EXPECT_EQ(*losses[i], row.lb) << cell.latDeg << "," << cell.lonDeg << " at " << settings.percents[i];
        }
    }
}

// P.617 and P.2001's troposcatter method on a cell's path give what
// `profile --from --to --dem --availability` gives for the same path.
TEST(CellIsPathTest, TroposcatterIsTheProfileCommandsRoute) {
    const Tiles tiles;
    terrain::DemSampler sampler(tiles.dems);
    int compared = 0;
    for (const terrain::Site cell : {terrain::Site{44.7, -71.05}, terrain::Site{44.1, -71.7}, terrain::Site{44.95, -71.4}}) {
        const terrain::ProfileOptions options{.stepM = 200};
        const PlacedProfile placed = profileFromDems(tiles.paths, kCoastSite, cell, options);
        const profile::ProfileSettings derived = profile::deriveSettings(placed.points, 30, 10);
        SettingsBuilder requested(false);
        for (const char* set : {"frequency-mhz=2000", "s1.antenna-gain-dbi=25", "s2.antenna-gain-dbi=12",
                                "surface-refractivity=320"})
            requested.assign(set);
        AvailabilityOptions availability;
        availability.percents = {50, 99.9};
        HeadlessWindow window;
        const ProfileAnswer answer =
            answerProfile({placed.points, &placed}, derived, requested, &availability, MapsInUse{}, window);
        const terrain::PathProfile profile = terrain::computeProfile(sampler, kCoastSite, cell, options);
        for (const itur::ItuMethod m : itur::kItuMethods) {
            const TroposcatterMethod method(troposcatterSettings(m), MapsInUse{});
            std::vector<std::optional<double>> losses(2);
            method.losses({kCoastSite, cell, profile}, losses);
            const itur::MethodAnswer& route = m == itur::ItuMethod::P617 ? answer.availability->p617 : answer.availability->p2001;
            for (std::size_t i = 0; i < 2; ++i) {
                ASSERT_EQ(losses[i].has_value(), route.rows[i].loss.has_value()) << method.name();
                if (!losses[i]) continue;
                EXPECT_EQ(*losses[i], *route.rows[i].loss) << method.name() << " at " << cell.latDeg << "," << cell.lonDeg;
                ++compared;
            }
        }
    }
    EXPECT_GE(compared, 8);
}

}  // namespace
}  // namespace tropolink::coverage
