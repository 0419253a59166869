#pragma once

#include <cstddef>
#include <string_view>

#include "grammar/option_ranges.h"
#include "terrain/site.h"

// The texts a coverage map is asked for with, read by the tool's one number
// grammar: the site, the radius, the cell size and the sector. Each reader
// throws InputError (terrain::TerrainError for the site) with one line that
// names the input and what is allowed.
namespace tropolink::coverage {

inline constexpr double kMaxRadiusKm = 1000;
inline constexpr double kMinCellM = 30;
inline constexpr double kMaxCellM = 100000;
// A map of more cells is refused before any work: 25 million float cells are
// 100 MB a band.
inline constexpr std::size_t kMaxCells = 25'000'000;

inline constexpr NumberOption kRadiusOption{.name = "--radius-km",
                                            .valueName = "R",
                                            .meaning = "the map's radius around the site",
                                            .unit = "km",
                                            .minimum = "1",
                                            .maximum = "1000"};
inline constexpr NumberOption kCellOption{.name = "--cell-m",
                                          .valueName = "C",
                                          .meaning = "cell size north-south, rounded to whole arc-seconds",
                                          .unit = "m",
                                          .minimum = "30",
                                          .maximum = "100000"};
inline constexpr NumberOption kSectorAzimuthOption{.name = "--sector azimuth",
                                                   .valueName = "AZIMUTH",
                                                   .meaning = "the sector's centre, clockwise from north",
                                                   .unit = "degrees",
                                                   .minimum = "0",
                                                   .maximum = "360"};
inline constexpr NumberOption kSectorWidthOption{.name = "--sector width",
                                                 .valueName = "WIDTH",
                                                 .meaning = "the sector's full width",
                                                 .unit = "degrees",
                                                 .minimum = "0",
                                                 .maximum = "360"};

// The part of the map a beam covers: the cells whose azimuth from the site
// lies within half the width of the centre's, both edges included.
struct Sector {
    double azimuthDeg = 0;
    double widthDeg = 360;
    bool contains(double azimuthDeg) const;
};

// For values given in code (Python's arguments) rather than read from text:
// InputError naming the option unless minimum <= value <= maximum.
void requireInRange(const NumberOption& option, double value, double minimum, double maximum);

terrain::Site parseCoverageSite(std::string_view text);  // "LAT,LON", as --site
double parseRadiusKm(std::string_view text);
double parseCellM(std::string_view text);
// "AZIMUTH,WIDTH", blanks allowed around either number; a width above 0.
Sector parseSector(std::string_view text);

}  // namespace tropolink::coverage
