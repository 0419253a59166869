#pragma once

#include <string>
#include <vector>

// The files beside a raster that GDAL may read with it (dem.tif.aux.xml,
// dem.tfw, dem.prj, ...): regular files only, since GDAL would open a FIFO of
// that name and wait on it for ever. Internal to the terrain library.
namespace tropolink::terrain {

// The names of the regular files in `file`'s folder, as GDAL would list
// them; in a folder of more than a thousand, only those whose names start as
// `file`'s does up to its last dot, whatever the case. A folder's listing is
// kept while the folder is unchanged, so that thousands of rasters in one
// folder do not list it thousands of times.
std::vector<std::string> regularSideFiles(const std::string& file);

}  // namespace tropolink::terrain
