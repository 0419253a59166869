#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <set>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "coverage/band_quantity.h"
#include "coverage/coverage_grid.h"
#include "coverage/path_method.h"
#include "terrain/dem_sampler.h"
#include "terrain/dem_set.h"
#include "terrain/path_profile.h"

// One cell of the map: whether it is computed, and if so its path's values.
namespace tropolink::coverage {

enum class CellKind : unsigned char {
    Computed,       // a figure at every percentage
    NoFigure,       // the method gives none at one percentage or more
    OutsideRadius,  // the centre lies beyond the radius
    NearSite,       // within the shortest path a profile allows
    OutsideSector,
    OffDems,  // no DEM holds the centre, and points no DEM holds are not taken as sea
    Gap,      // the path meets a void or a point no DEM holds that no option fills
};
inline constexpr std::size_t kCellKinds = 7;

std::string_view cellKindText(CellKind kind);  // "beyond the radius"

struct CellCounts {
    std::array<std::size_t, kCellKinds> cells{};
    std::size_t& operator[](CellKind kind) { return cells[static_cast<std::size_t>(kind)]; }
    std::size_t operator[](CellKind kind) const { return cells[static_cast<std::size_t>(kind)]; }
    void add(const CellCounts& other);
};

// What every cell of one map shares. The DEMs and the method are read from
// many threads at once and must outlive the map's run.
struct CoverageSetup {
    CoverageGrid grid;
    std::optional<Sector> sector;
    const terrain::DemSet* dems = nullptr;
    terrain::ProfileOptions profile;
    const PathMethod* method = nullptr;
    BandQuantity quantity = basicTransmissionLoss();
};

// What one thread learns while it computes cells: where its time went and
// which DEM files the paths read.
struct CellWork {
    double profileSeconds = 0;
    double methodSeconds = 0;
    std::size_t profilePoints = 0;
    std::set<std::string> demFilesUsed;
    // The last cell's, kept for their memory.
    terrain::PathProfile profile;
    std::vector<std::optional<double>> losses;
};

// The kind of a cell that needs no path: beyond the radius, near the site,
// outside the sector or off the DEMs; none for a cell whose path is computed.
std::optional<CellKind> cellWithoutPath(const CoverageSetup& setup, terrain::DemSampler& sampler, int row, int col);

// Computes the cell at `row`, `col`: `values` gets one value per percentage,
// NaN where there is none. Throws terrain::TerrainError for a path the DEMs
// refuse other than by a gap (a height no ground has, a step the path cannot take).
CellKind computeCell(const CoverageSetup& setup, terrain::DemSampler& sampler, int row, int col,
                     std::span<float> values, CellWork& work);

// The same route for one path, as a command for a single path takes it: the
// DEM profile from `site1` to `site2`, then the method's losses. Throws
// terrain::TerrainError.
std::vector<std::optional<double>> pathLosses(const PathMethod& method, terrain::DemSampler& sampler,
                                              terrain::Site site1, terrain::Site site2,
                                              const terrain::ProfileOptions& options);

}  // namespace tropolink::coverage
