#pragma once

#include <cstddef>
#include <functional>

namespace tropolink::python {

// Rows per chunk: between two chunks the caller's thread looks for Ctrl-C.
inline constexpr std::size_t kChunkRows = 65536;

// Calls work(begin, end) over [0, rows) in chunks, on `threads` threads,
// without the GIL. Throws error_already_set when a signal handler raised.
// `chunkRows` rows at a time; slow rows take fewer, so that Ctrl-C is soon seen.
void runChunked(std::size_t rows, int threads, const std::function<void(std::size_t, std::size_t)>& work,
                std::size_t chunkRows = kChunkRows);

// The threads for `rows` rows: `requested` when given (at least 1), else
// every online processor from 4 chunks on, 1 below.
int threadsFor(std::size_t rows, int requested);

}  // namespace tropolink::python
