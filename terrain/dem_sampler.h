#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "terrain/dem_raster.h"
#include "terrain/dem_set.h"

namespace tropolink::terrain {

struct SourceCursor;

// Heights from a DemSet, for one thread. It keeps what consecutive points
// share (the tile, the block of posts), so a point costs a few nanoseconds
// once its block is in memory. Any number of samplers may read one DemSet
// at once, from as many threads; one sampler is for one thread at a time,
// and the DemSet must stay where it is while samplers read it.
class DemSampler {
public:
    explicit DemSampler(const DemSet& dems);
    ~DemSampler();
    DemSampler(const DemSampler&) = delete;
    DemSampler& operator=(const DemSampler&) = delete;

    // As DemSet::heightAt and DemSet::rasterAt.
    Elevation heightAt(double latDeg, double lonDeg);
    const DemRaster* rasterAt(double latDeg, double lonDeg);
    const DemSet& dems() const { return *dems_; }

private:
    RasterReader& reader(const DemRaster& raster);

    const DemSet* dems_;
    std::vector<SourceCursor> cursors_;  // one for each source
    std::vector<RasterReader> readers_;  // the rasters read lately
    std::vector<std::uint64_t> lastUse_;
    std::uint64_t uses_ = 0;
    std::size_t current_ = 0;
};

}  // namespace tropolink::terrain
