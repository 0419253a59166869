#include "coverage/run_metadata.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <numbers>

#include <GeographicLib/Geodesic.hpp>

#include "coverage/metadata_text.h"
#include "coverage/summary_text.h"
#include "itur/method_names.h"

namespace tropolink::coverage {
namespace {

std::string yesNo(bool value) { return value ? "yes" : "no"; }

std::string valueOf(const std::vector<MetadataItem>& items, std::string_view name) {
    for (const auto& [key, value] : items)
        if (key == name) return value;
    return "";
}

// 44.2706 N 71.3033 W
std::string placeText(terrain::Site site) {
    char text[64];
    std::snprintf(text, sizeof text, "%.5f %c %.5f %c", std::fabs(site.latDeg), site.latDeg < 0 ? 'S' : 'N',
                  std::fabs(site.lonDeg), site.lonDeg < 0 ? 'W' : 'E');
    return text;
}

}  // namespace

std::string_view tropolinkVersion() { return TROPOLINK_VERSION; }

std::string joinedNames(const std::vector<std::string>& names) {
    std::string text;
    for (const std::string& name : names) {
        if (!text.empty()) text += "; ";
        text += name;
    }
    return text;
}

std::string bandTitle(const BandQuantity& quantity, double percent) {
    return quantity.name + " at " + metadataNumber(percent) + " % of the year";
}

TiffContents tiffContents(const CoverageSetup& setup, const CoverageOutputs& outputs) {
    const CoverageGrid& grid = setup.grid;
    TiffContents contents;
    auto& items = contents.metadata;
    items.emplace_back("TIFFTAG_SOFTWARE", "Tropolink " + std::string(tropolinkVersion()));
    items.emplace_back("TROPOLINK_VERSION", std::string(tropolinkVersion()));
    for (const MetadataItem& item : setup.method->metadata()) items.push_back(item);
    items.emplace_back("VALUES", setup.quantity.name + ", " + setup.quantity.unit);
    items.emplace_back("LIMIT", setup.quantity.limit ? metadataNumber(*setup.quantity.limit) : "none");
    for (const MetadataItem& item : setup.quantity.metadata) items.push_back(item);
    items.emplace_back("SITE", metadataNumber(grid.site.latDeg) + "," + metadataNumber(grid.site.lonDeg));
    items.emplace_back("RADIUS_KM", metadataNumber(grid.radiusKm));
    items.emplace_back("CELL_ARCSEC", std::to_string(grid.cellArcSec));
    items.emplace_back("SECTOR", setup.sector ? metadataNumber(setup.sector->azimuthDeg) + "," +
                                                    metadataNumber(setup.sector->widthDeg)
                                              : "none");
    items.emplace_back("PROFILE_STEP_M", setup.profile.stepM ? metadataNumber(*setup.profile.stepM)
                                                             : "the finest post spacing of the DEMs each path meets");
    items.emplace_back("SEA_WHERE_MISSING", yesNo(setup.profile.seaWhereMissing));
    items.emplace_back("FILL_VOIDS", yesNo(setup.profile.fillVoids));
    items.emplace_back("DEMS", joinedNames(outputs.demInputs));
    for (const double percent : setup.method->percents())
        contents.bands.push_back({bandTitle(setup.quantity, percent) + ", " + setup.quantity.unit,
                                  {{"PERCENT", metadataNumber(percent)}}});
    return contents;
}

PictureInput pictureInput(const CoverageSetup& setup, const CoverageOutputs& outputs, const CellCounts& counts) {
    const CoverageGrid& grid = setup.grid;
    const std::vector<MetadataItem> method = setup.method->metadata();
    const std::array<double, 6> transform = grid.geoTransform();
    PictureInput in;
    in.westDeg = transform[0];
    in.northDeg = transform[3];
    in.eastDeg = transform[0] + grid.cols() * transform[1];
    in.southDeg = transform[3] + grid.rows() * transform[5];
    in.site = grid.site;
    const auto& earth = GeographicLib::Geodesic::WGS84();
    double metres = 0;
    earth.Inverse(in.southDeg, grid.site.lonDeg, in.northDeg, grid.site.lonDeg, metres);
    in.heightKm = metres / 1000;
    // A parallel is a circle of radius N cos(latitude), N the prime vertical's radius of curvature.
    const double lat = grid.site.latDeg * std::numbers::pi / 180;
    const double e2 = earth.Flattening() * (2 - earth.Flattening());
    const double parallelRadiusM = earth.EquatorialRadius() * std::cos(lat) / std::sqrt(1 - e2 * std::sin(lat) * std::sin(lat));
    in.widthKm = parallelRadiusM * (in.eastDeg - in.westDeg) * std::numbers::pi / 180 / 1000;
    in.title = bandTitle(setup.quantity, setup.method->percents()[outputs.pictureBand]);
    in.lines.push_back(std::string(itur::methodNames(setup.method->ituMethod()).label) + ", " + valueOf(method, "FREQUENCY_MHZ") + " MHz, masts " +
                       valueOf(method, "S1_MAST_M") + " m at the site and " + valueOf(method, "S2_MAST_M") +
                       " m in each cell");
    in.lines.push_back("site " + placeText(grid.site) + ", radius " + metadataNumber(grid.radiusKm) + " km, cells of " +
                       std::to_string(grid.cellArcSec) + " arc-seconds" +
                       (setup.sector ? ", sector " + metadataNumber(setup.sector->azimuthDeg) + " +/- " +
                                           metadataNumber(setup.sector->widthDeg / 2) + " degrees"
                                     : ""));
    if (!setup.quantity.source.empty()) in.lines.push_back(setup.quantity.source);
    in.lines.push_back("maps: " + valueOf(method, "MAPS"));
    in.lines.push_back("Tropolink " + std::string(tropolinkVersion()));
    for (std::size_t k = 1; k < kCellKinds; ++k) {
        const auto kind = static_cast<CellKind>(k);
        if (counts[kind] > 0) in.nodataLines.push_back(std::string(cellKindText(kind)) + ": " + countText(counts[kind]));
    }
    return in;
}

}  // namespace tropolink::coverage
