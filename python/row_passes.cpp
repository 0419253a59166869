#include "python/row_passes.h"

#include <pybind11/pybind11.h>

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <exception>
#include <limits>
#include <mutex>
#include <thread>

#include "engine/numeric_fault.h"
#include "engine/recalculate.h"
#include "link/pass_figures.h"

namespace py = pybind11;

namespace tropolink::python {
namespace {

struct SchemaFigures {
    std::vector<std::string> path;
    std::vector<FigureField> fields;

    std::string nameOf(std::string_view name) const {
        std::string full;
        for (const std::string& part : path) full += part + ".";
        return full + std::string(name);
    }
    void begin(std::string_view name) { path.emplace_back(name); }
    void end() { path.pop_back(); }
    void figure(std::string_view name, bool) { fields.push_back({nameOf(name), '?'}); }
    void figure(std::string_view name, ColumnVerdict) { fields.push_back({nameOf(name), 'u'}); }
    template <class T>
    void figure(std::string_view name, const T&) {
        fields.push_back({nameOf(name), 'f'});
    }
};

// Writes one row of figures into the output arrays, in the order of figureFields.
struct RowFigures {
    const std::vector<void*>& out;
    std::size_t row = 0;
    std::size_t field = 0;

    template <class T>
    void put(T value) {
        static_cast<T*>(out[field++])[row] = value;
    }
    void begin(std::string_view) {}
    void end() {}
    void figure(std::string_view, double value) { put(value); }
    void figure(std::string_view, bool value) { put(value); }
    void figure(std::string_view, const std::optional<double>& value) {
        put(value ? *value : std::numeric_limits<double>::quiet_NaN());
    }
    void figure(std::string_view, ColumnVerdict verdict) { put(static_cast<std::uint8_t>(verdict)); }
};

// What the threads share: the next chunk to take, the first fault, a stop.
class RowRun {
public:
    RowRun(const std::vector<PositionColumn>& columns, const std::vector<void*>& outputs, std::size_t rows,
           bool powerDividedBy1000)
        : columns_(columns), outputs_(outputs), rows_(rows), power_(powerDividedBy1000), faultRow_(rows) {}

    // Takes and computes one chunk; false when none is left or the run stopped.
    bool runChunk() {
        if (stopped_.load(std::memory_order_relaxed)) return false;
        const std::size_t chunk = nextChunk_.fetch_add(1, std::memory_order_relaxed);
        const std::size_t begin = chunk * kRowsPerChunk;
        if (begin >= rows_) return false;
        try {
            computeChunk(begin, std::min(rows_, begin + kRowsPerChunk));
        } catch (...) {
            const std::lock_guard lock(mutex_);
            if (!error_) error_ = std::current_exception();
            stop();
        }
        return true;
    }
    void runAll() {
        while (runChunk()) {
        }
    }
    void stop() { stopped_.store(true, std::memory_order_relaxed); }
    void rethrowError() const {
        if (error_) std::rethrow_exception(error_);
    }
    std::optional<RowFault> fault() const {
        if (faultRow_.load() == rows_) return std::nullopt;
        return RowFault{faultRow_.load(), faultQuantity_};
    }

private:
    void computeChunk(std::size_t begin, std::size_t end) {
        SliderPositions positions = startPositions();
        RowFigures writer{outputs_};
        for (std::size_t row = begin; row < end; ++row) {
            // A fault in an earlier row makes the later rows moot.
            if (row >= faultRow_.load(std::memory_order_relaxed)) return;
            for (const PositionColumn& c : columns_)
                positions[c.sliderIndex] = c.positions[c.positions.size() == 1 ? 0 : row];
            try {
                const PassValues values = computePassValues(positions, power_);
                writer.row = row;
                writer.field = 0;
                visitPassFigures(values, writer);
            } catch (const NumericFault& e) {
                const std::lock_guard lock(mutex_);
                if (row < faultRow_.load()) {
                    faultRow_.store(row);
                    faultQuantity_ = e.quantity();
                }
                return;
            }
        }
    }

    const std::vector<PositionColumn>& columns_;
    const std::vector<void*>& outputs_;
    const std::size_t rows_;
    const bool power_;
    std::atomic<std::size_t> nextChunk_{0};
    std::atomic<bool> stopped_{false};
    std::atomic<std::size_t> faultRow_;
    std::mutex mutex_;
    std::string faultQuantity_;
    std::exception_ptr error_;
};

// Runs the signal handlers that arrived meanwhile; true when one raised.
bool signalRaised() {
    const py::gil_scoped_acquire locked;
    return PyErr_CheckSignals() != 0;
}

}  // namespace

std::vector<FigureField> figureFields() {
    SchemaFigures schema;
    visitPassFigures(PassValues{}, schema);
    return schema.fields;
}

std::optional<RowFault> computeRows(const std::vector<PositionColumn>& columns, const std::vector<void*>& outputs,
                                    std::size_t rows, bool powerDividedBy1000, unsigned threads) {
    RowRun run(columns, outputs, rows, powerDividedBy1000);
    const std::size_t chunks = (rows + kRowsPerChunk - 1) / kRowsPerChunk;
    const std::size_t helperCount =
        rows < kThreadedRowsMinimum ? 0 : std::min<std::size_t>(threads, chunks) - 1;
    bool interrupted = false;
    {
        const py::gil_scoped_release unlocked;
        std::vector<std::jthread> helpers;
        for (std::size_t i = 0; i < helperCount; ++i) helpers.emplace_back([&run] { run.runAll(); });
        // The calling thread computes as well, and alone may run Python's signal handlers.
        while (run.runChunk())
            if (signalRaised()) {
                interrupted = true;
                run.stop();
                break;
            }
    }
    if (interrupted) throw py::error_already_set();
    run.rethrowError();
    return run.fault();
}

}  // namespace tropolink::python
