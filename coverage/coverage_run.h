#pragma once

#include <atomic>
#include <cstddef>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "coverage/coverage_cells.h"
#include "coverage/coverage_picture.h"
#include "coverage/row_workers.h"

// A whole map: every cell on every core, the rows streamed in order into the
// GeoTIFF, then the pictures, and the files put in place together.
namespace tropolink::coverage {

struct CoverageOutputs {
    std::string geotiff{};
    std::optional<std::string> png{};
    std::optional<std::string> kmz{};
    std::size_t pictureBand = 0;  // the percentage the pictures show, by its index
    // Named in the metadata: the --dem values as given.
    std::vector<std::string> demInputs{};
};

struct CoverageProgress {
    std::size_t cellsDone = 0;   // paths computed
    std::size_t cellsTotal = 0;  // paths the map needs
    double elapsedSeconds = 0;
    double cellsPerSecond = 0;
    std::optional<double> secondsLeft{};  // once the rate is known
};

// "12 345 of 179 100 cells, 812 cells/s, 3 min 25 s left", for a terminal.
std::string progressLine(const CoverageProgress& progress);

struct RunControl {
    int jobs = 1;  // worker threads
    // Called on the calling thread about twice a second while cells are computed.
    std::function<void(const CoverageProgress&)> progress{};
    // Set from anywhere (a signal handler, say) to stop within a fraction of a second.
    const std::atomic<bool>* stop = nullptr;
    PictureRenderer* pictures = nullptr;  // needed for --png and --kml
};

struct CoverageSummary {
    CellCounts counts;
    std::size_t paths = 0;      // cells whose path was computed: every kind but the four before it
    double seconds = 0;         // the cells' computation, wall time
    double cellsPerSecond = 0;  // paths a second
    double profileShare = 0;    // of the workers' time, in the DEM profiles
    double methodShare = 0;     // in the method
    double profileSeconds = 0;  // the workers' time in the profiles, added up
    std::size_t profilePoints = 0;  // of every path's profile, added up
    std::vector<std::string> demFilesUsed;  // sorted
};

// The map was stopped: no file was written or left behind.
class CoverageStopped : public std::runtime_error {
public:
    CoverageStopped() : std::runtime_error("stopped: no file written") {}
};

// Refuses, in one line, a site outside every DEM and a step that no path of
// the radius can take (InputError).
void refuseSetup(const CoverageSetup& setup, const RunControl& control);

// Refuses what refuseSetup refuses, before any work. Then computes every cell
// and hands the rows to `write` in order, a band of kTiffTileSize rows at a
// time: for a front end that keeps the bands in memory. Throws
// CoverageStopped, what `write` throws, and terrain::TerrainError for a path
// the DEMs refuse other than by a gap.
CoverageSummary computeCoverage(const CoverageSetup& setup, const RunControl& control, const WriteRows& write);

// The same into the files: also refuses an output that cannot be written
// (WriteError) before any work, then writes the GeoTIFF, the pictures, and
// puts them in place together. On any exception no file is left.
CoverageSummary runCoverage(const CoverageSetup& setup, const CoverageOutputs& outputs, const RunControl& control);

}  // namespace tropolink::coverage
