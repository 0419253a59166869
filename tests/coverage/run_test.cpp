// A whole map: the same bytes for any number of threads, every nodata cell
// counted by its kind, the GeoTIFF's georeference and metadata, the S/N
// margin as a transform of the loss, and progress.
#include <gtest/gtest.h>

#include <gdal_priv.h>
#include <GeographicLib/Geodesic.hpp>

#include <cmath>
#include <set>

#include "coverage/coverage_run.h"
#include "coverage/run_metadata.h"
#include "coverage/summary_text.h"
#include "coverage_fixtures.h"

namespace tropolink::coverage {
namespace {

using namespace testing_support;

TEST(CoverageRunTest, SameBytesForAnyNumberOfThreads) {
    const Tiles tiles;
    TempDir out;
    const P2001Method method(p2001Settings({50}), placeDependentMaps());
    // Rows enough to pass through the ring of row bands twice; a narrow sector keeps the paths few.
    CoverageSetup setup = setupFor(tiles.dems, method, 20, 60, {44.5, -71.3});
    setup.sector = Sector{100, 3};
    ASSERT_GT(setup.grid.rows(), 3 * kTiffTileSize - kTiffTileSize / 2);
    std::string first;
    for (const int jobs : {1, 2, 3}) {
        const std::string tif = (out / ("jobs" + std::to_string(jobs) + ".tif")).string();
        const CoverageSummary summary = runCoverage(setup, {.geotiff = tif}, {.jobs = jobs});
        EXPECT_GT(summary.counts[CellKind::Computed], 500u);
        const std::string bytes = fileBytes(tif);
        if (first.empty()) first = bytes;
        EXPECT_TRUE(bytes == first) << jobs << " jobs: " << bytes.size() << " bytes against " << first.size();
    }
}

double distanceKm(terrain::Site a, terrain::Site b, double* azimuthDeg = nullptr) {
    double metres = 0, azimuth = 0, back = 0;
    GeographicLib::Geodesic::WGS84().Inverse(a.latDeg, a.lonDeg, b.latDeg, b.lonDeg, metres, azimuth, back);
    if (azimuthDeg) *azimuthDeg = azimuth;
    return metres / 1000;
}

// Hills with a void across the tile north of 44.6 N.
double holedHills(double latDeg, double lonDeg) {
    return latDeg > 44.6 && latDeg < 44.63 ? terrain::fixtures::kVoid : hills(latDeg, lonDeg);
}

TEST(CoverageRunTest, EveryNodataCellIsCountedByItsKind) {
    const Tiles tiles(holedHills);
    TempDir out;
    const TroposcatterMethod method(troposcatterSettings(itur::ItuMethod::P617), MapsInUse{});
    // 36" cells from 44.505 N 71.155 W: no centre within a post of the void's
    // edge or of the tile's east edge at 71 W, 12 km east of the site.
    const terrain::Site site{44.505, -71.155};
    CoverageSetup setup = setupFor(tiles.dems, method, 25, 1100, site);
    ASSERT_EQ(setup.grid.cellArcSec, 36);
    setup.sector = Sector{0, 300};
    const std::string tif = (out / "map.tif").string();
    const CoverageSummary summary = runCoverage(setup, {.geotiff = tif}, {.jobs = 2});

    CellCounts expected;
    std::size_t paths = 0;
    for (int row = 0; row < setup.grid.rows(); ++row) {
        for (int col = 0; col < setup.grid.cols(); ++col) {
            const terrain::Site c = setup.grid.cellCentre(row, col);
            double azimuth = 0;
            const double km = distanceKm(site, c, &azimuth);
            if (km > 25) ++expected[CellKind::OutsideRadius];
            else if (km < 1) ++expected[CellKind::NearSite];
            else if (std::fabs(std::remainder(azimuth, 360.0)) > 150) ++expected[CellKind::OutsideSector];
            else if (c.lonDeg > -71) ++expected[CellKind::OffDems];
            else if (c.latDeg > 44.6) ++expected[CellKind::Gap];
            else ++paths;
        }
    }
    for (const CellKind kind : {CellKind::OutsideRadius, CellKind::NearSite, CellKind::OutsideSector, CellKind::OffDems,
                                CellKind::Gap})
        EXPECT_EQ(summary.counts[kind], expected[kind]) << cellKindText(kind);
    EXPECT_GT(expected[CellKind::Gap], 50u);
    EXPECT_GT(expected[CellKind::OffDems], 50u);
    // The rest have a path: a figure, or none on a line of sight.
    EXPECT_EQ(summary.counts[CellKind::Computed] + summary.counts[CellKind::NoFigure], paths);
    EXPECT_GT(summary.counts[CellKind::NoFigure], 0u);
    EXPECT_EQ(summary.paths, paths + expected[CellKind::Gap]);

    // The GeoTIFF holds a value exactly where a cell is computed.
    for (const int band : {1, 2}) {
        std::size_t finite = 0;
        for (const float v : readBand(tif, band)) finite += std::isfinite(v) ? 1 : 0;
        EXPECT_EQ(finite, summary.counts[CellKind::Computed]) << band;
    }
}

TEST(CoverageRunTest, GeoTiffGeoreferenceAndMetadata) {
    const Tiles tiles;
    TempDir out;
    const P2001Method method(p2001Settings({50, 99.9}), placeDependentMaps());
    CoverageSetup setup = setupFor(tiles.dems, method, 6, 500);
    const std::string tif = (out / "map.tif").string();
    runCoverage(setup, {.geotiff = tif, .demInputs = tiles.paths}, {.jobs = 2});

    GDALAllRegister();
    std::unique_ptr<GDALDataset> d(GDALDataset::Open(tif.c_str(), GDAL_OF_RASTER | GDAL_OF_READONLY));
    ASSERT_TRUE(d);
    EXPECT_EQ(d->GetRasterXSize(), setup.grid.cols());
    EXPECT_EQ(d->GetRasterYSize(), setup.grid.rows());
    EXPECT_EQ(d->GetRasterCount(), 2);
    std::array<double, 6> transform{};
    d->GetGeoTransform(transform.data());
    EXPECT_EQ(transform, setup.grid.geoTransform());
    EXPECT_STREQ(d->GetSpatialRef()->GetAuthorityCode(nullptr), "4326");
    EXPECT_STREQ(d->GetMetadataItem("COMPRESSION", "IMAGE_STRUCTURE"), "DEFLATE");
    const auto item = [&](const char* name) { return std::string(d->GetMetadataItem(name) ? d->GetMetadataItem(name) : "(none)"); };
    EXPECT_EQ(item("METHOD"), "p2001-all");
    // The picture names the method as every other text does.
    const PictureInput picture = pictureInput(setup, {.geotiff = tif}, CellCounts{});
    ASSERT_FALSE(picture.lines.empty());
    EXPECT_EQ(picture.lines[0].rfind("P.2001 all mechanisms, 2000 MHz, masts 30 m", 0), 0u) << picture.lines[0];
    EXPECT_EQ(item("FREQUENCY_MHZ"), "2000");
    EXPECT_EQ(item("PERCENTAGES"), "50 99.9");
    EXPECT_EQ(item("S1_MAST_M"), "30");
    EXPECT_EQ(item("S2_MAST_M"), "10");
    EXPECT_EQ(item("SITE"), "44.5,-71.5");
    EXPECT_EQ(item("MAPS"), "test values");
    EXPECT_EQ(item("VALUES"), "Lb, dB");
    EXPECT_EQ(item("LIMIT"), "none");
    EXPECT_EQ(item("DEMS"), tiles.paths[0]);
    EXPECT_EQ(item("DEM_FILES_USED"), (tiles.dir / "N44W072.hgt").string());
    EXPECT_EQ(item("TROPOLINK_VERSION"), std::string(tropolinkVersion()));
    EXPECT_EQ(item("TIFFTAG_SOFTWARE"), "Tropolink " + std::string(tropolinkVersion()));
    for (const int b : {1, 2}) {
        GDALRasterBand* band = d->GetRasterBand(b);
        int hasNodata = 0;
        EXPECT_TRUE(std::isnan(band->GetNoDataValue(&hasNodata)));
        EXPECT_TRUE(hasNodata);
        EXPECT_EQ(band->GetRasterDataType(), GDT_Float32);
        int blockX = 0, blockY = 0;
        band->GetBlockSize(&blockX, &blockY);
        EXPECT_EQ(blockX, kTiffTileSize);
        EXPECT_EQ(blockY, kTiffTileSize);
    }
    EXPECT_STREQ(d->GetRasterBand(2)->GetDescription(), "Lb at 99.9 % of the year, dB");
    EXPECT_STREQ(d->GetRasterBand(2)->GetMetadataItem("PERCENT"), "99.9");
}

TEST(CoverageRunTest, MarginIsTheBudgetLessTheLoss) {
    const Tiles tiles;
    TempDir out;
    const TroposcatterMethod method(troposcatterSettings(itur::ItuMethod::P617), MapsInUse{});
    CoverageSetup setup = setupFor(tiles.dems, method, 12, 700);
    const std::string loss = (out / "loss.tif").string(), margin = (out / "margin.tif").string();
    runCoverage(setup, {.geotiff = loss}, {.jobs = 2});
    setup.quantity = snrMargin(60, -130, 10);
    runCoverage(setup, {.geotiff = margin}, {.jobs = 2});
    const std::vector<float> lb = readBand(loss, 2), m = readBand(margin, 2);
    std::size_t compared = 0;
    for (std::size_t i = 0; i < lb.size(); ++i) {
        if (std::isnan(lb[i])) {
            EXPECT_TRUE(std::isnan(m[i]));
            continue;
        }
        // From the loss before it was rounded to a float: within that rounding.
        EXPECT_NEAR(m[i], 60 - lb[i] + 130 - 10, 1e-4);
        ++compared;
    }
    EXPECT_GT(compared, 100u);
}

TEST(CoverageRunTest, ProgressCountsEveryPathOnce) {
    const Tiles tiles;
    TempDir out;
    const TroposcatterMethod method(troposcatterSettings(itur::ItuMethod::P617), MapsInUse{});
    CoverageSetup setup = setupFor(tiles.dems, method, 15, 400);
    std::vector<CoverageProgress> seen;
    const CoverageSummary summary = runCoverage(setup, {.geotiff = (out / "map.tif").string()},
                                                {.jobs = 2, .progress = [&](const CoverageProgress& p) { seen.push_back(p); }});
    ASSERT_FALSE(seen.empty());
    for (std::size_t i = 1; i < seen.size(); ++i) EXPECT_GE(seen[i].cellsDone, seen[i - 1].cellsDone);
    EXPECT_EQ(seen.back().cellsDone, summary.paths);
    EXPECT_EQ(seen.back().cellsTotal, summary.paths);
    EXPECT_GT(summary.cellsPerSecond, 0);
    EXPECT_GT(summary.profileShare, 0);
    EXPECT_GT(summary.methodShare, 0);
    EXPECT_LE(summary.profileShare + summary.methodShare, 1);
}

TEST(CoverageRunTest, SummaryLines) {
    CoverageSummary s;
    s.counts[CellKind::Computed] = 171234;
    s.counts[CellKind::OffDems] = 7;
    s.counts[CellKind::Gap] = 1000;
    s.paths = 172234;
    s.seconds = 28.44;
    s.cellsPerSecond = 6056.0;
    s.profileShare = 0.454;
    s.methodShare = 0.521;
    EXPECT_EQ(summaryLines(s), (std::vector<std::string>{
                                   "computed: 171 234 cells", "off every DEM: 7 cells",
                                   "a gap in the DEMs on the path: 1 000 cells",
                                   "172 234 paths in 28.4 s, 6 056 a second; profiles 45 % of the workers' time, the "
                                   "method 52 %"}));
    EXPECT_EQ(summaryLines(CoverageSummary{}).front(), "computed: 0 cells");
    EXPECT_EQ(countText(999), "999");
    EXPECT_EQ(countText(1000000), "1 000 000");
}

TEST(CoverageRunTest, ProgressLine) {
    EXPECT_EQ(progressLine({0, 179100, 0.2, 0, {}}), "0 of 179100 cells, 0 cells/s");
    EXPECT_EQ(progressLine({12345, 179100, 15.2, 812.2, 205.4}), "12345 of 179100 cells, 812 cells/s, 3 min 25 s left");
    EXPECT_EQ(progressLine({179000, 179100, 200, 895, 0.11}), "179000 of 179100 cells, 895 cells/s, 0 s left");
}

}  // namespace
}  // namespace tropolink::coverage
