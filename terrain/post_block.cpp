#include "terrain/post_block.h"

#include "terrain/dem_cache.h"

namespace tropolink::terrain {
namespace {
// What a block costs beyond its posts: the objects, the map and list nodes.
constexpr std::size_t kBlockOverheadBytes = 256;
}  // namespace

std::size_t PostBlock::bytes() const {
    return whole.size() * sizeof(std::int16_t) + real.size() * sizeof(float) + kBlockOverheadBytes;
}

BlockCache::BlockCache() : ceiling_(kDefaultDemCacheBytes) {}

BlockCache& BlockCache::shared() {
    // Never destroyed: rasters in other static objects may outlive any order.
    static BlockCache* cache = new BlockCache;
    return *cache;
}

std::shared_ptr<const PostBlock> BlockCache::find(const void* owner, long key) {
    const std::lock_guard lock(mutex_);
    const auto blocks = owners_.find(owner);
    if (blocks == owners_.end()) return nullptr;
    const auto entry = blocks->second.find(key);
    if (entry == blocks->second.end()) return nullptr;
    recency_.splice(recency_.begin(), recency_, entry->second.recency);
    return entry->second.block;
}

void BlockCache::insert(const void* owner, long key, std::shared_ptr<const PostBlock> block) {
    const std::size_t size = block->bytes();
    const std::lock_guard lock(mutex_);
    ++reads_;
    Blocks& blocks = owners_[owner];
    if (const auto old = blocks.find(key); old != blocks.end()) erase(blocks, old);
    recency_.push_front({owner, key});
    blocks.emplace(key, Entry{std::move(block), size, recency_.begin()});
    bytes_ += size;
    ++count_;
    shrinkTo(ceiling_);
}

void BlockCache::erase(Blocks& blocks, Blocks::iterator entry) {
    bytes_ -= entry->second.bytes;
    --count_;
    recency_.erase(entry->second.recency);
    blocks.erase(entry);
}

void BlockCache::shrinkTo(std::size_t bytes) {
    while (bytes_ > bytes && !recency_.empty()) {
        const Id oldest = recency_.back();
        const auto blocks = owners_.find(oldest.owner);
        erase(blocks->second, blocks->second.find(oldest.key));
        if (blocks->second.empty()) owners_.erase(blocks);
    }
}

void BlockCache::forget(const void* owner) {
    const std::lock_guard lock(mutex_);
    const auto blocks = owners_.find(owner);
    if (blocks == owners_.end()) return;
    while (!blocks->second.empty()) erase(blocks->second, blocks->second.begin());
    owners_.erase(blocks);
}

void BlockCache::setCeiling(std::size_t bytes) {
    const std::lock_guard lock(mutex_);
    ceiling_ = bytes;
    shrinkTo(ceiling_);
}

std::size_t BlockCache::ceiling() const {
    const std::lock_guard lock(mutex_);
    return ceiling_;
}

std::size_t BlockCache::bytes() const {
    const std::lock_guard lock(mutex_);
    return bytes_;
}

std::size_t BlockCache::blocks() const {
    const std::lock_guard lock(mutex_);
    return count_;
}

std::uint64_t BlockCache::reads() const {
    const std::lock_guard lock(mutex_);
    return reads_;
}

}  // namespace tropolink::terrain
