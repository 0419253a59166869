#pragma once

#include <atomic>
#include <cstddef>
#include <functional>
#include <span>

#include "coverage/coverage_cells.h"

// The map's cells on many threads. Workers take rows as they come free; the
// calling thread hands finished bands of rows to the writer in order, so
// that memory holds two bands of rows and the file gets the same rows in the
// same order whatever the number of threads.
namespace tropolink::coverage {

struct RowsDone {
    CellCounts counts;
    CellWork work;  // every worker's, added up
    double workerSeconds = 0;
    bool stopped = false;
};

// Rows firstRow.., each cell's values band after band.
using WriteRows = std::function<void(int firstRow, int rowCount, std::span<const float> cells)>;
// The paths computed so far, about every tenth of a second, on the calling thread.
using Tick = std::function<void(std::size_t pathsDone)>;

// Throws what a worker or the writer threw, once every thread has ended.
RowsDone computeRows(const CoverageSetup& setup, int jobs, int bandRows, const WriteRows& write, const Tick& tick,
                     const std::atomic<bool>* stop);

// The cells whose path the map computes, counted on `jobs` threads; none when stopped.
std::optional<std::size_t> countPaths(const CoverageSetup& setup, int jobs, const std::atomic<bool>* stop);

}  // namespace tropolink::coverage
