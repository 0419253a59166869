#include "terrain/zip_check.h"

#include <cpl_vsi.h>
#include <zlib.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "terrain/gdal_support.h"
#include "terrain/terrain_error.h"
#include "terrain/zip_directory.h"

namespace tropolink::terrain {
namespace {

constexpr std::size_t kChunkBytes = 1u << 20;

[[noreturn]] void refuse(const std::string& shown, const std::string& why) {
    throw TerrainError("DEM " + shown + ": " + why);
}

}  // namespace

void checkZipEntry(const std::string& file, const std::string& shown, const std::string& entryName) {
    const std::vector<ZipEntry> entries = zipEntries(file, shown);
    const auto named = [&](const ZipEntry& e) { return e.name == entryName; };
    const auto found = std::find_if(entries.begin(), entries.end(), named);
    if (std::count_if(entries.begin(), entries.end(), named) > 1)
        refuse(shown, "the ZIP holds " + entryName + " more than once (allowed: one entry of each name)");
    if (found == entries.end()) refuse(shown, "the ZIP's directory does not list " + entryName);

    gdal::QuietErrors quiet;
    const std::unique_ptr<VSILFILE, int (*)(VSILFILE*)> in(VSIFOpenL(("/vsizip/" + file + "/" + entryName).c_str(), "rb"),
                                                          VSIFCloseL);
    if (!in) refuse(shown, "cannot read " + entryName + " in the ZIP (" + gdal::lastError("read error") + ")");
    std::vector<unsigned char> chunk(kChunkBytes);
    uLong crc = crc32(0, nullptr, 0);
    for (;;) {
        const std::size_t got = VSIFReadL(chunk.data(), 1, chunk.size(), in.get());
        crc = crc32(crc, chunk.data(), static_cast<uInt>(got));
        if (got < chunk.size()) break;
    }
    // A read cut short gives another CRC too.
    if (crc != found->crc32)
        refuse(shown, "the data of " + entryName +
                          " does not match the CRC the ZIP records (the ZIP is damaged; allowed: an undamaged ZIP)");
}

}  // namespace tropolink::terrain
