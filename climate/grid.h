#pragma once

#include <cstddef>
#include <vector>

namespace tropolink::climate {

// Degrees, north and east positive. Longitudes from −180 to 360 are taken
// as they come; latitudes beyond ±90 and longitudes beyond that range
// meet the edge of the grid.
struct GeoPoint {
    double latDeg = 0;
    double lonDeg = 0;
};

// A map's values, row after row as in the file (row 0 is the first line).
struct Grid {
    int rows = 0;
    int columns = 0;
    std::vector<double> values;

    double at(int row, int column) const {
        return values[static_cast<std::size_t>(row) * static_cast<std::size_t>(columns) +
                      static_cast<std::size_t>(column)];
    }
};

}  // namespace tropolink::climate
