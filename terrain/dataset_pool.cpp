#include "terrain/dataset_pool.h"

#include <gdal_priv.h>

#include "terrain/dem_cache.h"
#include "terrain/dem_raster.h"

namespace tropolink::terrain {

DatasetPool& DatasetPool::shared() {
    static DatasetPool* pool = new DatasetPool;  // never destroyed, as the rasters may outlive any order
    return *pool;
}

void DatasetPool::use(const DemRaster* raster) {
    const std::lock_guard lock(mutex_);
    if (raster->pooled_) {
        open_.splice(open_.begin(), open_, raster->poolEntry_);
    } else {
        open_.push_front(raster);
        raster->poolEntry_ = open_.begin();
        raster->pooled_ = true;
    }
    closeOldest(raster, kMaxOpenDemDatasets);
}

void DatasetPool::closeIdle(const DemRaster* keep) {
    const std::lock_guard lock(mutex_);
    closeOldest(keep, 0);
}

void DatasetPool::closeOldest(const DemRaster* keep, std::size_t count) {
    // Only a raster whose lock can be had is idle; waiting for one could
    // deadlock with its holder, who may be waiting here.
    for (auto it = open_.end(); open_.size() > count && it != open_.begin();) {
        --it;
        const DemRaster* victim = *it;
        if (victim == keep || !victim->io_.try_lock()) continue;
        victim->dataset_.reset();
        victim->pooled_ = false;
        victim->io_.unlock();
        it = open_.erase(it);
    }
}

void DatasetPool::remove(const DemRaster* raster) {
    const std::lock_guard lock(mutex_);
    if (!raster->pooled_) return;
    open_.erase(raster->poolEntry_);
    raster->pooled_ = false;
}

std::size_t DatasetPool::openCount() const {
    const std::lock_guard lock(mutex_);
    return open_.size();
}

}  // namespace tropolink::terrain
