#pragma once

#include <cstddef>
#include <cstdint>

// What the DEM rasters of this process hold in memory. Posts are decoded a
// block at a time into one cache that every DemSet and every thread shares;
// the least recently used blocks leave it when it reaches its ceiling, so
// memory stays flat whatever the rasters. GDAL's own cache of raw blocks is
// bounded too, and at most a few dozen rasters keep a file open at once.
namespace tropolink::terrain {

// Holds nine 1" tiles (3601 x 3601 float posts each), so that a path or a
// map around a corner of four never reads a block twice.
inline constexpr std::size_t kDefaultDemCacheBytes = std::size_t{512} << 20;
// GDAL's cache of raw blocks, which it otherwise sizes at 5 % of the memory.
inline constexpr std::size_t kGdalCacheBytes = std::size_t{64} << 20;
// Rasters whose GDAL datasets stay open; the others reopen when next read.
inline constexpr std::size_t kMaxOpenDemDatasets = 64;

struct DemCacheStats {
    std::size_t cachedBytes = 0;   // decoded posts held, with their bookkeeping
    std::size_t cachedBlocks = 0;
    std::size_t ceilingBytes = 0;
    std::uint64_t blockReads = 0;  // blocks read from the rasters since the start
    std::size_t openDatasets = 0;
};

DemCacheStats demCacheStats();

// A process that holds many large DEMs in use at once may raise the ceiling;
// one short of memory may lower it. Blocks beyond it leave at once.
void setDemCacheCeiling(std::size_t bytes);

}  // namespace tropolink::terrain
