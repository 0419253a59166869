// The map's pictures: the PNG with its scale and legend, and the KMZ that
// lays the map over Google Earth. The pictures stay in the build folder to be
// looked at; around Mount Washington when the real tile is beside the sources.
#include <gtest/gtest.h>

#include <minizip/unzip.h>

#include <QColor>
#include <QImage>

#include <cmath>
#include <filesystem>

#include "coverage/coverage_run.h"
#include "coverage_fixtures.h"
#include "coverage_picture/picture_style.h"
#include "coverage_picture/qt_pictures.h"

namespace tropolink::coverage {
namespace {

using namespace testing_support;

const fs::path kPictures = TROPOLINK_PICTURE_DIR;

QImage decoded(const std::string& png) {
    QImage image;
    image.loadFromData(reinterpret_cast<const uchar*>(png.data()), static_cast<int>(png.size()), "PNG");
    return image;
}

struct ZipEntry {
    std::string name;
    std::string bytes;
};

std::vector<ZipEntry> unzipped(const std::string& file) {
    std::vector<ZipEntry> entries;
    unzFile zip = unzOpen64(file.c_str());
    if (zip == nullptr) return entries;
    for (int more = unzGoToFirstFile(zip); more == UNZ_OK; more = unzGoToNextFile(zip)) {
        char name[256];
        unz_file_info64 info{};
        unzGetCurrentFileInfo64(zip, &info, name, sizeof name, nullptr, 0, nullptr, 0);
        std::string bytes(info.uncompressed_size, '\0');
        unzOpenCurrentFile(zip);
        unzReadCurrentFile(zip, bytes.data(), static_cast<unsigned>(bytes.size()));
        unzCloseCurrentFile(zip);
        entries.push_back({name, bytes});
    }
    unzClose(zip);
    return entries;
}

// The text between <tag> and </tag>.
std::string between(const std::string& text, const std::string& tag) {
    const auto start = text.find("<" + tag + ">"), end = text.find("</" + tag + ">");
    if (start == std::string::npos || end == std::string::npos) return "";
    return text.substr(start + tag.size() + 2, end - start - tag.size() - 2);
}

TEST(CoveragePictureTest, PngAndKmzOfAMarginMap) {
    const Tiles tiles;
    const TroposcatterMethod method(troposcatterSettings(itur::ItuMethod::P617, {50, 99.9}), MapsInUse{});
    CoverageSetup setup = setupFor(tiles.dems, method, 30, 500, {44.45, -71.3});
    setup.quantity = snrMargin(70, -135, 15);
    setup.sector = Sector{60, 250};
    QtPictureRenderer pictures;
    const CoverageOutputs outputs{.geotiff = (kPictures / "margin.tif").string(),
                                  .png = (kPictures / "margin.png").string(),
                                  .kmz = (kPictures / "margin.kmz").string(),
                                  .pictureBand = 1};
    runCoverage(setup, outputs, {.jobs = 2, .pictures = &pictures});

    const QImage png(QString::fromStdString(*outputs.png));
    ASSERT_FALSE(png.isNull());
    EXPECT_GT(png.width(), 900);
    EXPECT_GT(png.height(), 600);

    const std::vector<ZipEntry> kmz = unzipped(*outputs.kmz);
    ASSERT_EQ(kmz.size(), 3u);
    EXPECT_EQ(kmz[0].name, "doc.kml");  // Google Earth opens the first
    EXPECT_EQ(kmz[1].name, "map.png");
    EXPECT_EQ(kmz[2].name, "legend.png");
    const std::string& kml = kmz[0].bytes;
    const std::array<double, 6> t = setup.grid.geoTransform();
    EXPECT_DOUBLE_EQ(std::stod(between(kml, "west")), t[0]);
    EXPECT_DOUBLE_EQ(std::stod(between(kml, "north")), t[3]);
    EXPECT_NEAR(std::stod(between(kml, "east")), t[0] + setup.grid.cols() * t[1], 1e-12);
    EXPECT_NEAR(std::stod(between(kml, "south")), t[3] + setup.grid.rows() * t[5], 1e-12);
    EXPECT_EQ(between(kml, "coordinates"), "-71.3,44.45,0");
    EXPECT_NE(kml.find("<href>map.png</href>"), std::string::npos);

    // The overlay: a pixel a cell, transparent where no value is.
    const QImage overlay = decoded(kmz[1].bytes);
    ASSERT_EQ(overlay.width(), setup.grid.cols());
    ASSERT_EQ(overlay.height(), setup.grid.rows());
    const std::vector<float> band = readBand(outputs.geotiff, 2);
    for (int row = 0; row < overlay.height(); row += 7) {
        for (int col = 0; col < overlay.width(); col += 5) {
            const float v = band[static_cast<std::size_t>(row) * setup.grid.cols() + col];
            EXPECT_EQ(qAlpha(overlay.pixel(col, row)), std::isnan(v) ? 0 : 255) << row << "," << col;
        }
    }
    EXPECT_FALSE(decoded(kmz[2].bytes).isNull());
}

// The rows of the legend crossed by the limit's red mark.
std::vector<int> limitRows(const QImage& legend) {
    std::vector<int> rows;
    for (int y = 0; y < legend.height(); ++y) {
        int red = 0;
        for (int x = 0; x < legend.width(); ++x)
            if (legend.pixelColor(x, y) == style::kLimit) ++red;
        if (red >= 20) rows.push_back(y);  // the mark across the bar, not the letters of its label
    }
    return rows;
}

// The scale marks the limit of a margin map, at the height of its value
// between the ticks; a map of the loss has no limit, and the legend says so.
TEST(CoveragePictureTest, TheScaleMarksTheLimitOfAMarginOnly) {
    const Tiles tiles;
    const TroposcatterMethod method(troposcatterSettings(itur::ItuMethod::P617, {99.9}), MapsInUse{});
    for (const BandQuantity& quantity : {snrMargin(70, -135, 15), basicTransmissionLoss()}) {
        SCOPED_TRACE(quantity.name);
        CoverageSetup setup = setupFor(tiles.dems, method, 10, 1000, {44.45, -71.3});
        setup.quantity = quantity;
        TempDir out;
        QtPictureRenderer pictures;
        const CoverageOutputs outputs{.geotiff = (out / "map.tif").string(), .kmz = (out / "map.kmz").string()};
        runCoverage(setup, outputs, {.jobs = 1, .pictures = &pictures});
        const std::vector<ZipEntry> kmz = unzipped(*outputs.kmz);
        ASSERT_EQ(kmz.size(), 3u);
        const std::vector<int> rows = limitRows(decoded(kmz[2].bytes));
        if (!quantity.limit) {
            EXPECT_TRUE(rows.empty());
            continue;
        }
        ASSERT_FALSE(rows.empty());
        EXPECT_LE(rows.back() - rows.front(), 3);  // one mark, three pixels thick
    }
}

// The summit of the White Mountains on the real 3" tile, which ends 24 km
// east of it and 30 km south: the cells beyond are nodata and counted.
TEST(CoveragePictureTest, MountWashington) {
    const fs::path tile = fs::path(TROPOLINK_SHARED_DEM_DIR) / "N44W072.hgt";
    if (!fs::exists(tile)) GTEST_SKIP() << "no " << tile;
    const terrain::DemSet dems(std::vector<std::string>{tile.string()});
    const P2001Method method(p2001Settings({99.9}), placeDependentMaps());
    const terrain::Site summit{44.2706, -71.3033};
    const CoverageSetup setup = setupFor(dems, method, 40, 800, summit);
    QtPictureRenderer pictures;
    const CoverageOutputs outputs{.geotiff = (kPictures / "mount-washington.tif").string(),
                                  .png = (kPictures / "mount-washington.png").string(),
                                  .kmz = (kPictures / "mount-washington.kmz").string(),
                                  .demInputs = {tile.string()}};
    const CoverageSummary summary = runCoverage(setup, outputs, {.jobs = 2, .pictures = &pictures});

    std::size_t off = 0;
    terrain::DemSampler sampler(dems);
    for (int row = 0; row < setup.grid.rows(); ++row)
        for (int col = 0; col < setup.grid.cols(); ++col)
            if (cellWithoutPath(setup, sampler, row, col) == CellKind::OffDems) {
                const terrain::Site c = setup.grid.cellCentre(row, col);
                EXPECT_TRUE(c.lonDeg > -71.0004 || c.latDeg < 43.9996) << row << "," << col;
                ++off;
            }
    EXPECT_EQ(summary.counts[CellKind::OffDems], off);
    EXPECT_GT(off, 1000u);
    EXPECT_EQ(summary.counts[CellKind::Gap], 0u);  // the tile has no voids
    EXPECT_GT(summary.counts[CellKind::Computed], 2000u);
}

}  // namespace
}  // namespace tropolink::coverage
