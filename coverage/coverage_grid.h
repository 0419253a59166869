#pragma once

#include <array>
#include <cstddef>
#include <optional>

#include "coverage/coverage_options.h"
#include "terrain/site.h"

// The map's cells: latitude and longitude (EPSG:4326) centred on the site,
// square in arc-seconds.
namespace tropolink::coverage {

struct GridRequest {
    terrain::Site site;
    double radiusKm = 0;
    double cellM = 0;  // north-south, before rounding to whole arc-seconds
};

struct CoverageGrid {
    terrain::Site site;
    double radiusKm = 0;
    int cellArcSec = 0;
    int halfRows = 0;  // rows north of the site's, and as many south
    int halfCols = 0;  // columns east of the site's, and as many west

    int rows() const { return 2 * halfRows + 1; }
    int cols() const { return 2 * halfCols + 1; }
    std::size_t cellCount() const { return static_cast<std::size_t>(rows()) * static_cast<std::size_t>(cols()); }
    double cellDeg() const { return cellArcSec / 3600.0; }
    // Row 0 is the northernmost, column 0 the westernmost; the longitude
    // comes back into -180..180 across the antimeridian.
    terrain::Site cellCentre(int row, int col) const;
    // GDAL's: west edge, cell width, 0, north edge, 0, -cell height. The
    // west edge may lie below -180, the east one beyond 180.
    std::array<double, 6> geoTransform() const;
};

// The whole number of arc-seconds, at least 1, nearest to `cellM` metres of
// the meridian at the latitude.
int cellArcSeconds(double latDeg, double cellM);

// The smallest grid holding every cell whose centre lies within the radius.
// Throws InputError for a map of more than kMaxCells cells or one that would
// reach a pole, and for a radius or cell size outside their options' ranges.
CoverageGrid makeGrid(const GridRequest& request);

}  // namespace tropolink::coverage
