#include "coverage/coverage_run.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <stdexcept>

#include "coverage/coverage_tiff.h"
#include "coverage/metadata_text.h"
#include "coverage/run_metadata.h"
#include "coverage/staged_outputs.h"

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

CoverageSummary runCoverage(const CoverageSetup& setup, const CoverageOutputs& outputs, const RunControl& control) {
    refuseSetup(setup, control);
    refuseOutputs(setup, outputs, control);
    std::vector<std::string> paths{outputs.geotiff};
    if (outputs.png) paths.push_back(*outputs.png);
    if (outputs.kmz) paths.push_back(*outputs.kmz);
    StagedOutputs staged(paths);
    CoverageTiff tiff(staged.temporary(0), outputs.geotiff, setup.grid, tiffContents(setup, outputs));
    const CoverageSummary summary = computeCoverage(
        setup, control, [&](int first, int count, std::span<const float> cells) { tiff.writeRows(first, count, cells); });
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
