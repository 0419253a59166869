#include "terrain/dem_sampler.h"

#include <algorithm>
#include <cmath>

#include "terrain/dem_source.h"

namespace tropolink::terrain {
namespace {
// Rasters whose blocks a sampler keeps at hand: a path meets a few at a time.
constexpr std::size_t kMaxReaders = 8;

// Whether the source gives the point the rasters it gave the cursor's cell:
// the same test as a folder's, for a point off the cell's edges.
bool sameCandidates(const SourceCursor& cursor, double latDeg, double lonDeg) {
    if (cursor.everywhere) return true;
    const int lat = static_cast<int>(std::floor(latDeg)), lon = static_cast<int>(std::floor(lonDeg));
    return lat == cursor.latDeg && lon == cursor.lonDeg && latDeg != lat && lonDeg != lon;
}

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
    // The raster the search would try first, with its reader at hand: a
    // valid height from it ends the search as it would.
    if (!cursors_.empty() && cursors_[0].found.count > 0 && current_ < readers_.size() &&
        readers_[current_].raster() == cursors_[0].found.rasters[0] && sameCandidates(cursors_[0], latDeg, lonDeg)) {
        RasterReader& first = readers_[current_];
        const auto sample = first.raster()->sample(latDeg, lonDeg, first);
        if (sample.status == DemRaster::Status::Ok) return {Elevation::Status::Ok, sample.heightM, first.raster(), {}};
    }
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
