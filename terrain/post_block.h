#pragma once

#include <cstddef>
#include <cstdint>
#include <list>
#include <memory>
#include <mutex>
#include <unordered_map>
#include <vector>

// The decoded posts of one block of a raster, and the process-wide cache of
// them. Internal to the terrain library.
namespace tropolink::terrain {

// A block overlaps the next by one post each way, so that the four posts
// around any point lie in one block. Heights are whole metres as int16 when
// the raster stores them so (SRTM), float otherwise; nodata is NaN as float,
// and a designated int16 value as int16.
struct PostBlock {
    long width = 0;  // posts in a row
    std::vector<std::int16_t> whole;
    std::vector<float> real;
    std::size_t bytes() const;
};

class BlockCache {
public:
    static BlockCache& shared();

    // The block `key` of `owner`, marked as just used; null when absent.
    std::shared_ptr<const PostBlock> find(const void* owner, long key);
    // Adds the block, then drops the least recently used beyond the ceiling.
    void insert(const void* owner, long key, std::shared_ptr<const PostBlock> block);
    // Drops every block of `owner`, which is going away.
    void forget(const void* owner);

    void setCeiling(std::size_t bytes);
    std::size_t ceiling() const;
    std::size_t bytes() const;
    std::size_t blocks() const;
    std::uint64_t reads() const;

private:
    BlockCache();
    struct Id {
        const void* owner;
        long key;
    };
    struct Entry {
        std::shared_ptr<const PostBlock> block;
        std::size_t bytes = 0;
        std::list<Id>::iterator recency;
    };
    using Blocks = std::unordered_map<long, Entry>;
    void shrinkTo(std::size_t bytes);  // with the mutex held
    void erase(Blocks& blocks, Blocks::iterator entry);

    mutable std::mutex mutex_;
    std::unordered_map<const void*, Blocks> owners_;  // by owner, to forget one without a scan
    std::list<Id> recency_;                           // most recent first
    std::size_t count_ = 0;
    std::size_t bytes_ = 0;
    std::size_t ceiling_;
    std::uint64_t reads_ = 0;
};

}  // namespace tropolink::terrain
