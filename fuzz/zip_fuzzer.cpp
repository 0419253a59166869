// The ZIP central directory reader that zipped DEM tiles pass through before
// GDAL opens them: any bytes give entries or a TerrainError, never a crash,
// and no entry claims more bytes than the file holds.
#include <sys/mman.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "terrain/terrain_error.h"
#include "terrain/zip_directory.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const int fd = memfd_create("zip", 0);
    static const std::string path = "/proc/self/fd/" + std::to_string(fd);
    if (fd < 0 || ftruncate(fd, 0) != 0 || pwrite(fd, data, size, 0) != static_cast<ssize_t>(size)) std::abort();
    try {
        std::size_t names = 0;
        for (const auto& entry : tropolink::terrain::zipEntries(path, "fuzz.zip")) names += entry.name.size();
        if (names > size) std::abort();
    } catch (const tropolink::terrain::TerrainError&) {
    }
    return 0;
}
