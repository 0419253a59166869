#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace tropolink::python {

// One output array per figure of --values, in their order, by dotted name.
struct FigureField {
    std::string name;  // "yeh.loss"
    char kind;         // 'f' float64 (NaN when absent), '?' bool, 'u' uint8 verdict code
};
std::vector<FigureField> figureFields();

// One setting's positions: one per row, or a single one every row shares.
struct PositionColumn {
    std::size_t sliderIndex;
    std::vector<int> positions;
};

// The first row, in row order, whose pass failed, and what it could not compute.
struct RowFault {
    std::size_t row;
    std::string quantity;
};

inline constexpr std::size_t kRowsPerChunk = 65536;
// Fewer rows than this are done on the calling thread: starting threads would cost more.
inline constexpr std::size_t kThreadedRowsMinimum = 100'000;

// The pass of every row into `outputs` (one array per figure field, `rows`
// long), with the GIL released and the rows split among `threads` threads.
// Between chunks the calling thread takes the GIL to run pending signal
// handlers; when one raises (Ctrl-C), the threads stop and error_already_set
// is thrown. The same output for any number of threads.
std::optional<RowFault> computeRows(const std::vector<PositionColumn>& columns, const std::vector<void*>& outputs,
                                    std::size_t rows, bool powerDividedBy1000, unsigned threads);

}  // namespace tropolink::python
