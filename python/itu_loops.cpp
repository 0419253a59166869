#include "python/itu_loops.h"

#include <pybind11/pybind11.h>

#include <algorithm>
#include <atomic>
#include <thread>
#include <vector>

namespace py = pybind11;

namespace tropolink::python {

int threadsFor(std::size_t rows, int requested) {
    if (requested > 0) return requested;
    if (rows < 4 * kChunkRows) return 1;
    return static_cast<int>(std::max(1U, std::thread::hardware_concurrency()));
}

void runChunked(std::size_t rows, int threads, const std::function<void(std::size_t, std::size_t)>& work,
                std::size_t chunkRows) {
    std::atomic<std::size_t> next{0};
    std::atomic<bool> stop{false};
    const auto take = [&](std::size_t& begin) {
        if (stop.load(std::memory_order_relaxed)) return false;
        begin = next.fetch_add(chunkRows);
        return begin < rows;
    };
    bool interrupted = false;
    {
        py::gil_scoped_release released;
        std::vector<std::thread> helpers;
        for (int t = 1; t < threads; ++t)
            helpers.emplace_back([&] {
                for (std::size_t begin = 0; take(begin);) work(begin, std::min(begin + chunkRows, rows));
            });
        for (std::size_t begin = 0; take(begin);) {
            work(begin, std::min(begin + chunkRows, rows));
            const py::gil_scoped_acquire held;
            if (PyErr_CheckSignals() != 0) {
                interrupted = true;
                stop = true;
            }
        }
        for (std::thread& t : helpers) t.join();
    }
    if (interrupted) throw py::error_already_set();
}

}  // namespace tropolink::python
