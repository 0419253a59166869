#include "coverage/coverage_run.h"

#include <algorithm>
#include <chrono>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <stdexcept>

#include "coverage/coverage_tiff.h"
#include "coverage/metadata_text.h"
#include "coverage/run_metadata.h"
#include "io/file_output.h"

namespace tropolink::coverage {
namespace {

// The pictures are drawn from the map resampled to at most this many cells a side.
constexpr int kPictureMaxSide = 1000;

void refuseOutputs(const CoverageSetup& setup, const CoverageOutputs& outputs, const RunControl& control) {
    if (setup.method != nullptr && outputs.pictureBand >= setup.method->percents().size())
        throw std::invalid_argument("runCoverage: the pictures' band is not one of the map's");
    if ((outputs.png || outputs.kmz) && control.pictures == nullptr)
        throw std::invalid_argument("runCoverage: pictures asked for without a renderer");
}

void writeBytes(const std::string& path, const std::string& shownPath, const std::string& bytes) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) throw WriteError({shownPath, "open", std::error_code(errno, std::generic_category())});
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    const int error = errno;
    if (std::fclose(file) != 0 || !written)
        throw WriteError({shownPath, "write", std::error_code(written ? errno : error, std::generic_category())});
}

void reserve(StagedFiles& staged, const std::string& path) {
    if (auto failed = staged.reserve(path)) throw WriteError(std::move(*failed));
}

void writePictures(const CoverageSetup& setup, const CoverageOutputs& outputs, PictureRenderer& renderer,
                   const std::string& tiff, const CellCounts& counts, const StagedFiles& staged) {
    PictureInput input = pictureInput(setup, outputs, counts);
    input.band = readBandPicture(tiff, outputs.geotiff, outputs.pictureBand, kPictureMaxSide);
    input.scale = colourScale(input.band.values, setup.quantity);
    Pictures pictures;
    try {
        pictures = renderer.render(input);
    } catch (const std::runtime_error& e) {
        throw WriteError({outputs.png ? *outputs.png : *outputs.kmz, "write", {}, e.what()});
    }
    if (outputs.png) writeBytes(staged.temporaryFor(*outputs.png), *outputs.png, pictures.png);
    if (outputs.kmz) writeKmz(staged.temporaryFor(*outputs.kmz), *outputs.kmz, input, pictures);
}

}  // namespace

CoverageSummary runCoverage(const CoverageSetup& setup, const CoverageOutputs& outputs, const RunControl& control) {
    refuseSetup(setup, control);
    refuseOutputs(setup, outputs, control);
    // Every file made now, so that one that cannot be written is found before the work.
    StagedFiles staged;
    reserve(staged, outputs.geotiff);
    if (outputs.png) reserve(staged, *outputs.png);
    if (outputs.kmz) reserve(staged, *outputs.kmz);
    const std::string& tiffPath = staged.temporaryFor(outputs.geotiff);
    CoverageTiff tiff(tiffPath, outputs.geotiff, setup.grid, tiffContents(setup, outputs));
    const CoverageSummary summary = computeCoverage(
        setup, control, [&](int first, int count, std::span<const float> cells) { tiff.writeRows(first, count, cells); });
    tiff.setMetadataItem(kDemFilesUsedItem, joinedNames(summary.demFilesUsed));
    tiff.close();

    if (outputs.png || outputs.kmz) writePictures(setup, outputs, *control.pictures, tiffPath, summary.counts, staged);
    if (auto failed = staged.commit()) throw WriteError(std::move(*failed));
    return summary;
}

}  // namespace tropolink::coverage
