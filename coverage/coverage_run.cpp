#include "coverage/coverage_run.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <stdexcept>

#include "coverage/coverage_tiff.h"
#include "coverage/metadata_text.h"
#include "coverage/row_workers.h"
#include "coverage/run_metadata.h"
#include "coverage/staged_outputs.h"
#include "link/input_error.h"
#include "profile/profile_csv.h"
#include "terrain/dem_sampler.h"

namespace tropolink::coverage {
namespace {

using Clock = std::chrono::steady_clock;

// The pictures are drawn from the map resampled to at most this many cells a side.
constexpr int kPictureMaxSide = 1000;

std::string siteText(terrain::Site site) { return metadataNumber(site.latDeg) + "," + metadataNumber(site.lonDeg); }

void refuseBeforeWork(const CoverageSetup& setup, const CoverageOutputs& outputs, const RunControl& control) {
    if (setup.dems == nullptr || setup.method == nullptr || control.jobs < 1)
        throw std::invalid_argument("runCoverage: no DEMs, no method or no worker");
    if (outputs.pictureBand >= setup.method->percents().size())
        throw std::invalid_argument("runCoverage: the pictures' band is not one of the map's");
    if ((outputs.png || outputs.kmz) && control.pictures == nullptr)
        throw std::invalid_argument("runCoverage: pictures asked for without a renderer");
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

void writeBytes(const std::string& path, const std::string& shownPath, const std::string& bytes) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) throw OutputError(cannotWrite(shownPath, "cannot open it"));
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    if (std::fclose(file) != 0 || !written) throw OutputError(cannotWrite(shownPath, "a write failed"));
}

void writePictures(const CoverageSetup& setup, const CoverageOutputs& outputs, PictureRenderer& renderer,
                   const std::string& tiff, const CellCounts& counts, const std::vector<std::string>& pngAndKmz) {
    PictureInput input = pictureInput(setup, outputs, counts);
    input.band = readBandPicture(tiff, outputs.geotiff, outputs.pictureBand, kPictureMaxSide);
    input.scale = colourScale(input.band.values, setup.quantity);
    Pictures pictures;
    try {
        pictures = renderer.render(input);
    } catch (const std::runtime_error& e) {
        throw OutputError(cannotWrite(outputs.png ? *outputs.png : *outputs.kmz, e.what()));
    }
    std::size_t next = 0;
    if (outputs.png) writeBytes(pngAndKmz[next++], *outputs.png, pictures.png);
    if (outputs.kmz) writeKmz(pngAndKmz[next], *outputs.kmz, input, pictures);
}

}  // namespace

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

CoverageSummary runCoverage(const CoverageSetup& setup, const CoverageOutputs& outputs, const RunControl& control) {
    refuseBeforeWork(setup, outputs, control);
    std::vector<std::string> paths{outputs.geotiff};
    if (outputs.png) paths.push_back(*outputs.png);
    if (outputs.kmz) paths.push_back(*outputs.kmz);
    StagedOutputs staged(paths);
    CoverageTiff tiff(staged.temporary(0), outputs.geotiff, setup.grid, tiffContents(setup, outputs));

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
    RowsDone rows = computeRows(
        setup, control.jobs, kTiffTileSize,
        [&](int first, int count, std::span<const float> cells) { tiff.writeRows(first, count, cells); }, tick,
        control.stop);
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
    summary.profilePoints = rows.work.profilePoints;
    summary.demFilesUsed = rows.work.demFilesUsed;
    std::sort(summary.demFilesUsed.begin(), summary.demFilesUsed.end());
    tiff.setMetadataItem(kDemFilesUsedItem, joinedNames(summary.demFilesUsed));
    tiff.close();

    if (outputs.png || outputs.kmz) {
        std::vector<std::string> temporaries;
        for (std::size_t i = 1; i < paths.size(); ++i) temporaries.push_back(staged.temporary(i));
        writePictures(setup, outputs, *control.pictures, staged.temporary(0), summary.counts, temporaries);
    }
    staged.commit();
    return summary;
}

}  // namespace tropolink::coverage
