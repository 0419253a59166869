#pragma once

#include <cstdint>
#include <string>
#include <vector>

// ZIP central directories, read to check the data GDAL's /vsizip/ gives: it
// does not compare a stored entry's bytes with the CRC the ZIP records, so an
// edited tile would pass as real ground.
namespace tropolink::terrain {

struct ZipEntry {
    std::string name;  // as the ZIP records it, folders included
    std::uint32_t crc32 = 0;
};

// The entries of the ZIP `file`, in the central directory's order. Throws
// TerrainError naming `shown` when the file is not a ZIP that can be read.
std::vector<ZipEntry> zipEntries(const std::string& file, const std::string& shown);

// Throws TerrainError naming `shown` unless the entry's data, read through
// GDAL's /vsizip/, has the CRC the ZIP records for it, and no other entry
// bears its name.
void checkZipEntry(const std::string& file, const std::string& shown, const std::string& entryName);

}  // namespace tropolink::terrain
