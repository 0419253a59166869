#include "terrain/dem_cache.h"

#include "terrain/dataset_pool.h"
#include "terrain/post_block.h"

namespace tropolink::terrain {

DemCacheStats demCacheStats() {
    const BlockCache& cache = BlockCache::shared();
    return {cache.bytes(), cache.blocks(), cache.ceiling(), cache.reads(), DatasetPool::shared().openCount()};
}

void setDemCacheCeiling(std::size_t bytes) { BlockCache::shared().setCeiling(bytes); }

}  // namespace tropolink::terrain
