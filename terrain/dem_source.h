#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <vector>

#include "terrain/dem_set.h"
#include "terrain/geodesic_path.h"

// The kinds of entry of a DemSet: a raster file, a folder of tiles. Internal
// to the terrain library.
namespace tropolink::terrain {

inline constexpr int kNoCell = 1000;  // no whole degree is this

// At most four: a point on a tile corner lies on the posts of four tiles.
struct Candidates {
    std::array<const DemRaster*, 4> rasters{};
    std::size_t count = 0;
    const DemRaster* const* begin() const { return rasters.data(); }
    const DemRaster* const* end() const { return rasters.data() + count; }
};

// What one sampler remembers of one source: the one-degree cell of its last
// point and what the source had there.
// A source whose rasters are the same everywhere says so.
struct SourceCursor {
    int latDeg = kNoCell;
    int lonDeg = kNoCell;
    Candidates found;
    bool everywhere = false;
};

class DemSet::Source {
public:
    virtual ~Source() = default;
    // The rasters that may hold the point, in the order to try them; opens
    // them if need be. Safe from many threads, each with its own cursor.
    virtual Candidates candidates(double latDeg, double lonDeg, SourceCursor& cursor) const = 0;
    // Why no raster holds the point, for the message; empty when the
    // source has nothing to say.
    virtual std::string missingNote(double latDeg, double lonDeg) const = 0;
    virtual void collectOpened(std::vector<const DemRaster*>& rasters) const = 0;
    // Whether every raster of the source that may hold a point of `box` is
    // known to be spaced as `like`; false when one is not opened yet.
    virtual bool spacedAs(const DemRaster& like, const LatLonBox& box) const = 0;
};

}  // namespace tropolink::terrain
