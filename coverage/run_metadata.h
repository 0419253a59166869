#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "coverage/coverage_picture.h"
#include "coverage/coverage_run.h"
#include "coverage/coverage_tiff.h"

// What the map's files say of how it was made: the GeoTIFF's metadata and
// band names, and the picture's title and lines.
namespace tropolink::coverage {

// Known only once every path is computed.
inline constexpr std::string_view kDemFilesUsedItem = "DEM_FILES_USED";

// This build's version, as the project gives it.
std::string_view tropolinkVersion();

// "a; b; c".
std::string joinedNames(const std::vector<std::string>& names);

// The band's name: "Lb at 99.9 % of the year".
std::string bandTitle(const BandQuantity& quantity, double percent);

TiffContents tiffContents(const CoverageSetup& setup, const CoverageOutputs& outputs);

// Everything but the band and its scale.
PictureInput pictureInput(const CoverageSetup& setup, const CoverageOutputs& outputs, const CellCounts& counts);

}  // namespace tropolink::coverage
