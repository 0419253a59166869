#include "terrain/dem_sampler.h"

#include <algorithm>

#include "terrain/dem_source.h"

namespace tropolink::terrain {
namespace {
// Rasters whose blocks a sampler keeps at hand: a path meets a few at a time.
constexpr std::size_t kMaxReaders = 8;
}  // namespace

DemSampler::DemSampler(const DemSet& dems) : dems_(&dems), cursors_(dems.sources_.size()) {}
DemSampler::~DemSampler() = default;

RasterReader& DemSampler::reader(const DemRaster& raster) {
    if (current_ < readers_.size() && readers_[current_].raster() == &raster) return readers_[current_];
    const auto found = std::find_if(readers_.begin(), readers_.end(),
                                    [&](const RasterReader& r) { return r.raster() == &raster; });
    if (found != readers_.end()) {
        current_ = static_cast<std::size_t>(found - readers_.begin());
    } else if (readers_.size() < kMaxReaders) {
        current_ = readers_.size();
        readers_.emplace_back(raster);
        lastUse_.push_back(0);
    } else {
        current_ = static_cast<std::size_t>(std::min_element(lastUse_.begin(), lastUse_.end()) - lastUse_.begin());
        readers_[current_] = RasterReader(raster);
    }
    lastUse_[current_] = ++uses_;
    return readers_[current_];
}

Elevation DemSampler::heightAt(double latDeg, double lonDeg) {
    Elevation elevation;
    const auto& sources = dems_->sources_;
    for (std::size_t s = 0; s < sources.size(); ++s) {
        for (const DemRaster* raster : sources[s]->candidates(latDeg, lonDeg, cursors_[s])) {
            const auto sample = raster->sample(latDeg, lonDeg, reader(*raster));
            switch (sample.status) {
                case DemRaster::Status::Ok:
                    return {Elevation::Status::Ok, sample.heightM, raster, {}};
                case DemRaster::Status::Invalid:
                    return {Elevation::Status::Invalid, sample.heightM, raster, {}};
                case DemRaster::Status::Void:
                    if (elevation.status != Elevation::Status::Void) {
                        elevation.status = Elevation::Status::Void;
                        elevation.raster = raster;
                    }
                    break;
                case DemRaster::Status::Outside:
                    break;
            }
        }
    }
    if (elevation.status == Elevation::Status::Missing) {
        for (const auto& source : sources) {
            const std::string note = source->missingNote(latDeg, lonDeg);
            if (note.empty()) continue;
            if (!elevation.missing.empty()) elevation.missing += "; ";
            elevation.missing += note;
        }
    }
    return elevation;
}

const DemRaster* DemSampler::rasterAt(double latDeg, double lonDeg) {
    const auto& sources = dems_->sources_;
    for (std::size_t s = 0; s < sources.size(); ++s)
        for (const DemRaster* raster : sources[s]->candidates(latDeg, lonDeg, cursors_[s]))
            if (raster->covers(latDeg, lonDeg, reader(*raster))) return raster;
    return nullptr;
}

}  // namespace tropolink::terrain
