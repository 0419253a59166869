#pragma once

#include <cstddef>
#include <list>
#include <mutex>

// The GDAL datasets of the process's DEM rasters that are open, most
// recently used first: past kMaxOpenDemDatasets the idle ones close, so that
// a list of thousands of DEMs does not run out of file descriptors. Internal
// to the terrain library.
namespace tropolink::terrain {

class DemRaster;

class DatasetPool {
public:
    static DatasetPool& shared();
    // `raster`'s dataset is open and in use (its io_ held): closes others past the limit.
    void use(const DemRaster* raster);
    // Closes every idle dataset but `keep`'s, when the process runs out of descriptors.
    void closeIdle(const DemRaster* keep);
    void remove(const DemRaster* raster);
    std::size_t openCount() const;

private:
    DatasetPool() = default;
    // Closes the oldest idle datasets, other than `keep`'s, until `count` remain.
    void closeOldest(const DemRaster* keep, std::size_t count);

    mutable std::mutex mutex_;
    std::list<const DemRaster*> open_;
};

}  // namespace tropolink::terrain
