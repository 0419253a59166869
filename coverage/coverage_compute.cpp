#include "coverage/coverage_run.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <stdexcept>

#include "coverage/metadata_text.h"
#include "grammar/input_error.h"
#include "profile/profile_csv.h"
#include "terrain/dem_sampler.h"

namespace tropolink::coverage {
namespace {

using Clock = std::chrono::steady_clock;

std::string siteText(terrain::Site site) { return metadataNumber(site.latDeg) + "," + metadataNumber(site.lonDeg); }

}  // namespace

void refuseSetup(const CoverageSetup& setup, const RunControl& control) {
    if (setup.dems == nullptr || setup.method == nullptr || control.jobs < 1)
        throw std::invalid_argument("runCoverage: no DEMs, no method or no worker");
    terrain::DemSampler sampler(*setup.dems);
    const terrain::Site site = setup.grid.site;
    if (sampler.rasterAt(site.latDeg, site.lonDeg) == nullptr)
        throw InputError("--site " + siteText(site), "outside every DEM", "a site that a --dem file or tile holds");
    if (setup.profile.stepM) {
        // The longest path has about this many points; the profile refuses more.
        const double points = std::floor(setup.grid.radiusKm * 1000 / *setup.profile.stepM) + 2;
        if (points > static_cast<double>(profile::kMaxProfilePoints))
            throw InputError("--step-m " + metadataNumber(*setup.profile.stepM),
                             "needs " + metadataNumber(points) + " points on a path of " +
                                 metadataNumber(setup.grid.radiusKm) + " km",
                             "a step of at least " +
                                 metadataNumber(std::ceil(setup.grid.radiusKm * 1000 /
                                                          static_cast<double>(profile::kMaxProfilePoints - 2))) +
                                 " m for this radius");
    }
}

std::string progressLine(const CoverageProgress& p) {
    char text[160];
    int used = std::snprintf(text, sizeof text, "%zu of %zu cells, %.0f cells/s", p.cellsDone, p.cellsTotal,
                             p.cellsPerSecond);
    if (p.secondsLeft) {
        const long left = std::lround(*p.secondsLeft);
        if (left >= 60)
            std::snprintf(text + used, sizeof text - static_cast<std::size_t>(used), ", %ld min %02ld s left", left / 60,
                          left % 60);
        else
            std::snprintf(text + used, sizeof text - static_cast<std::size_t>(used), ", %ld s left", left);
    }
    return text;
}

CoverageSummary computeCoverage(const CoverageSetup& setup, const RunControl& control, const WriteRows& write) {
    refuseSetup(setup, control);
    const auto start = Clock::now();
    const std::optional<std::size_t> total = countPaths(setup, control.jobs, control.stop);
    if (!total) throw CoverageStopped();
    const auto tick = [&](std::size_t done) {
        if (!control.progress) return;
        CoverageProgress p{done, *total, std::chrono::duration<double>(Clock::now() - start).count(), 0, {}};
        if (p.elapsedSeconds > 0) p.cellsPerSecond = static_cast<double>(done) / p.elapsedSeconds;
        if (done > 0) p.secondsLeft = static_cast<double>(*total - done) / p.cellsPerSecond;
        control.progress(p);
    };
    const RowsDone rows = computeRows(setup, control.jobs, kTiffTileSize, write, tick, control.stop);
    if (rows.stopped) throw CoverageStopped();

    CoverageSummary summary;
    summary.seconds = std::chrono::duration<double>(Clock::now() - start).count();
    summary.counts = rows.counts;
    summary.paths = *total;
    summary.cellsPerSecond = static_cast<double>(*total) / summary.seconds;
    if (rows.workerSeconds > 0) {
        summary.profileShare = rows.work.profileSeconds / rows.workerSeconds;
        summary.methodShare = rows.work.methodSeconds / rows.workerSeconds;
    }
    summary.profileSeconds = rows.work.profileSeconds;
    summary.profilePoints = rows.work.profilePoints;
    summary.demFilesUsed.assign(rows.work.demFilesUsed.begin(), rows.work.demFilesUsed.end());
    return summary;
}

}  // namespace tropolink::coverage
