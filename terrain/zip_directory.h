#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tropolink::terrain {

struct ZipEntry {
    std::string name;  // as the ZIP records it, folders included
    std::uint32_t crc32 = 0;
};

// The entries of the ZIP `file` as its central directory lists them, in
// order. Reads the directory alone, at most 64 MiB of it. Throws
// TerrainError naming `shown` when the file is not a ZIP that can be read.
std::vector<ZipEntry> zipEntries(const std::string& file, const std::string& shown);

}  // namespace tropolink::terrain
