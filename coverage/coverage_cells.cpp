#include "coverage/coverage_cells.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <limits>

#include "terrain/geodesic_path.h"
#include "terrain/terrain_error.h"

namespace tropolink::coverage {
namespace {

using Clock = std::chrono::steady_clock;

constexpr std::array<std::string_view, kCellKinds> kKindTexts{
    "computed", "no figure from the method", "beyond the radius", "within 1 km of the site", "outside the sector",
    "off every DEM", "a gap in the DEMs on the path"};

double secondsSince(Clock::time_point start) { return std::chrono::duration<double>(Clock::now() - start).count(); }

}  // namespace

std::string_view cellKindText(CellKind kind) { return kKindTexts[static_cast<std::size_t>(kind)]; }

void CellCounts::add(const CellCounts& other) {
    for (std::size_t i = 0; i < kCellKinds; ++i) cells[i] += other.cells[i];
}

namespace {

// The kind of a cell that needs no path, with the geodesic to its centre.
std::optional<CellKind> kindWithoutPath(const CoverageSetup& setup, terrain::DemSampler& sampler, int row, int col,
                                        terrain::GeodesicEnds& ends) {
    const terrain::Site centre = setup.grid.cellCentre(row, col);
    ends = terrain::geodesicEnds(setup.grid.site, centre);
    if (ends.lengthM > setup.grid.radiusKm * 1000) return CellKind::OutsideRadius;
    if (ends.lengthM < terrain::kMinPathKm * 1000) return CellKind::NearSite;
    if (setup.sector && !setup.sector->contains(ends.azimuth1Deg)) return CellKind::OutsideSector;
    if (!setup.profile.seaWhereMissing && sampler.rasterAt(centre.latDeg, centre.lonDeg) == nullptr)
        return CellKind::OffDems;
    return std::nullopt;
}

}  // namespace

std::optional<CellKind> cellWithoutPath(const CoverageSetup& setup, terrain::DemSampler& sampler, int row, int col) {
    terrain::GeodesicEnds ends;
    return kindWithoutPath(setup, sampler, row, col, ends);
}

CellKind computeCell(const CoverageSetup& setup, terrain::DemSampler& sampler, int row, int col,
                     std::span<float> values, CellWork& work) {
    std::fill(values.begin(), values.end(), std::numeric_limits<float>::quiet_NaN());
    terrain::GeodesicEnds ends;
    if (const std::optional<CellKind> kind = kindWithoutPath(setup, sampler, row, col, ends)) return *kind;
    const terrain::Site site = setup.grid.site;
    const terrain::Site centre = setup.grid.cellCentre(row, col);
    const auto start = Clock::now();
    // The worker's profile, whose memory the next cell uses again.
    terrain::PathProfile& profile = work.profile;
    try {
        terrain::computeProfile(sampler, terrain::GeodesicPath(site, centre, ends), setup.profile, profile);
    } catch (const terrain::TerrainError& e) {
        work.profileSeconds += secondsSince(start);
        if (e.kind() == terrain::TerrainError::Kind::Gap) return CellKind::Gap;
        throw;
    }
    const auto profiled = Clock::now();
    work.profileSeconds += std::chrono::duration<double>(profiled - start).count();
    work.profilePoints += profile.distanceKm.size();
    work.demFilesUsed.insert(profile.demFilesUsed.begin(), profile.demFilesUsed.end());

    work.losses.assign(values.size(), std::nullopt);
    setup.method->losses({site, centre, profile}, work.losses);
    work.methodSeconds += secondsSince(profiled);
    CellKind kind = CellKind::Computed;
    for (std::size_t band = 0; band < values.size(); ++band) {
        if (work.losses[band])
            values[band] = static_cast<float>(setup.quantity.fromLoss(*work.losses[band], band));
        else
            kind = CellKind::NoFigure;
    }
    return kind;
}

std::vector<std::optional<double>> pathLosses(const PathMethod& method, terrain::DemSampler& sampler,
                                              terrain::Site site1, terrain::Site site2,
                                              const terrain::ProfileOptions& options) {
    const terrain::PathProfile profile = terrain::computeProfile(sampler, site1, site2, options);
    std::vector<std::optional<double>> losses(method.percents().size());
    method.losses({site1, site2, profile}, losses);
    return losses;
}

}  // namespace tropolink::coverage
