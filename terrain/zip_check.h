#pragma once

#include <string>

// Zipped DEM tiles, checked before GDAL reads them: its /vsizip/ does not
// compare a stored entry's bytes with the CRC the ZIP records, so an edited
// tile would pass as real ground.
namespace tropolink::terrain {

// Throws TerrainError naming `shown` unless the entry's data, read through
// GDAL's /vsizip/, has the CRC the ZIP records for it, and no other entry
// bears its name.
void checkZipEntry(const std::string& file, const std::string& shown, const std::string& entryName);

}  // namespace tropolink::terrain
