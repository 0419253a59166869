#include "coverage/coverage_cells.h"

#include <GeographicLib/Geodesic.hpp>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <limits>

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

std::optional<CellKind> cellWithoutPath(const CoverageSetup& setup, terrain::DemSampler& sampler, int row, int col) {
    const terrain::Site site = setup.grid.site;
    const terrain::Site centre = setup.grid.cellCentre(row, col);
    double distanceM = 0, azimuthDeg = 0, azimuthAtCentreDeg = 0;
    GeographicLib::Geodesic::WGS84().Inverse(site.latDeg, site.lonDeg, centre.latDeg, centre.lonDeg, distanceM,
                                             azimuthDeg, azimuthAtCentreDeg);
    if (distanceM > setup.grid.radiusKm * 1000) return CellKind::OutsideRadius;
    if (distanceM < terrain::kMinPathKm * 1000) return CellKind::NearSite;
    if (setup.sector && !setup.sector->contains(azimuthDeg)) return CellKind::OutsideSector;
    if (!setup.profile.seaWhereMissing && sampler.rasterAt(centre.latDeg, centre.lonDeg) == nullptr)
        return CellKind::OffDems;
    return std::nullopt;
}

CellKind computeCell(const CoverageSetup& setup, terrain::DemSampler& sampler, int row, int col,
                     std::span<float> values, CellWork& work) {
    std::fill(values.begin(), values.end(), std::numeric_limits<float>::quiet_NaN());
    if (const std::optional<CellKind> kind = cellWithoutPath(setup, sampler, row, col)) return *kind;
    const terrain::Site site = setup.grid.site;
    const terrain::Site centre = setup.grid.cellCentre(row, col);
    const auto start = Clock::now();
    terrain::PathProfile profile;
    try {
        profile = terrain::computeProfile(sampler, site, centre, setup.profile);
    } catch (const terrain::TerrainError& e) {
        work.profileSeconds += secondsSince(start);
        if (e.kind() == terrain::TerrainError::Kind::Gap) return CellKind::Gap;
        throw;
    }
    const auto profiled = Clock::now();
    work.profileSeconds += std::chrono::duration<double>(profiled - start).count();
    work.profilePoints += profile.distanceKm.size();
    work.demFilesUsed.insert(profile.demFilesUsed.begin(), profile.demFilesUsed.end());

    std::vector<std::optional<double>> losses(values.size());
    setup.method->losses({site, centre, profile}, losses);
    work.methodSeconds += secondsSince(profiled);
    CellKind kind = CellKind::Computed;
    for (std::size_t band = 0; band < values.size(); ++band) {
        if (losses[band])
            values[band] = static_cast<float>(setup.quantity.fromLoss(*losses[band], band));
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
