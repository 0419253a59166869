#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "grammar/option_ranges.h"
#include "p2001/path_input.h"
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

enum class MethodChoice { P2001All, P617, P2001Troposcatter };

inline constexpr NumberOption kFrequencyOption{.name = "--frequency-mhz",
                                               .valueName = "F",
                                               .meaning = "frequency",
                                               .unit = "MHz",
                                               .minimum = "30",
                                               .maximum = "50000"};
inline constexpr NumberOption kGain1Option{.name = "--s1-gain-dbi",
                                           .valueName = "G",
                                           .meaning = "station 1's antenna gain towards the cell",
                                           .unit = "dBi",
                                           .minimum = "-20",
                                           .maximum = "80",
                                           .defaultValue = "0"};
inline constexpr NumberOption kGain2Option{.name = "--s2-gain-dbi",
                                           .valueName = "G",
                                           .meaning = "the cell's antenna gain towards station 1",
                                           .unit = "dBi",
                                           .minimum = "-20",
                                           .maximum = "80",
                                           .defaultValue = "0"};

// "p2001-all", "p617", "p2001-troposcatter"; throws InputError naming `option`.
MethodChoice parseMethod(std::string_view text, std::string_view option = "--method");
std::string_view methodName(MethodChoice method);
// "vertical" or "horizontal"; throws InputError naming `option`.
p2001::Polarisation parsePolarisation(std::string_view text, std::string_view option = "--polarisation");

}  // namespace tropolink::coverage
