#include "coverage/row_workers.h"

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <exception>
#include <mutex>
#include <thread>
#include <vector>

namespace tropolink::coverage {
namespace {

using Clock = std::chrono::steady_clock;
constexpr auto kPollInterval = std::chrono::milliseconds(100);

bool stopAsked(const std::atomic<bool>* stop) { return stop != nullptr && stop->load(std::memory_order_relaxed); }

bool hasPath(CellKind kind) {
    return kind == CellKind::Computed || kind == CellKind::NoFigure || kind == CellKind::Gap;
}

// `work` on `jobs` threads; the first exception is thrown once all have ended,
// and `failed` tells the others to stop.
void onThreads(int jobs, const std::function<void()>& work, const std::function<void()>& failed) {
    std::mutex mutex;
    std::exception_ptr failure;
    std::vector<std::thread> threads;
    for (int i = 0; i < jobs; ++i)
        threads.emplace_back([&] {
            try {
                work();
            } catch (...) {
                {
                    const std::lock_guard lock(mutex);
                    if (!failure) failure = std::current_exception();
                }
                failed();
            }
        });
    for (std::thread& t : threads) t.join();
    if (failure) std::rethrow_exception(failure);
}

class RowRing {
public:
    RowRing(const CoverageSetup& setup, int bandRows)
        : setup_(setup), rows_(setup.grid.rows()), bandRows_(bandRows), ringRows_(2 * bandRows),
          rowValues_(static_cast<std::size_t>(setup.grid.cols()) * setup.method->percents().size()),
          values_(static_cast<std::size_t>(ringRows_) * rowValues_), done_(static_cast<std::size_t>(ringRows_), false) {}

    void work(const std::atomic<bool>* stop, RowsDone& total) {
        terrain::DemSampler sampler(*setup_.dems);
        RowsDone mine;
        const auto begin = Clock::now();
        const std::size_t bands = setup_.method->percents().size();
        while (!abort_) {
            const int row = nextRow_.fetch_add(1);
            if (row >= rows_) break;
            {
                std::unique_lock lock(mutex_);
                changed_.wait(lock, [&] { return abort_ || row < writtenRows_ + ringRows_; });
            }
            if (abort_) break;
            float* out = slot(row);
            for (int col = 0; col < setup_.grid.cols() && !abort_; ++col) {
                if (stopAsked(stop)) abort();
                if (abort_) break;
                const CellKind kind =
                    computeCell(setup_, sampler, row, col, {out + static_cast<std::size_t>(col) * bands, bands}, mine.work);
                ++mine.counts[kind];
                if (hasPath(kind)) pathsDone_.fetch_add(1, std::memory_order_relaxed);
            }
            {
                const std::lock_guard lock(mutex_);
                done_[static_cast<std::size_t>(row % ringRows_)] = true;
            }
            changed_.notify_all();
        }
        mine.workerSeconds = std::chrono::duration<double>(Clock::now() - begin).count();
        const std::lock_guard lock(mutex_);
        total.counts.add(mine.counts);
        total.work.profileSeconds += mine.work.profileSeconds;
        total.work.methodSeconds += mine.work.methodSeconds;
        total.work.profilePoints += mine.work.profilePoints;
        total.work.demFilesUsed.insert(mine.work.demFilesUsed.begin(), mine.work.demFilesUsed.end());
        total.workerSeconds += mine.workerSeconds;
    }

    // On the calling thread: each band to the writer once all its rows are in.
    void drain(const WriteRows& write, const Tick& tick, const std::atomic<bool>* stop) {
        auto lastTick = Clock::now();
        for (int first = 0; first < rows_ && !abort_;) {
            const int end = std::min(rows_, first + bandRows_);
            bool ready = false;
            {
                std::unique_lock lock(mutex_);
                ready = changed_.wait_for(lock, kPollInterval, [&] { return abort_ || bandDone(first, end); }) &&
                        !abort_;
            }
            if (tick && Clock::now() - lastTick >= kPollInterval) {
                tick(pathsDone_.load(std::memory_order_relaxed));
                lastTick = Clock::now();
            }
            if (stopAsked(stop)) abort();
            if (!ready || abort_) continue;
            write(first, end - first, {slot(first), static_cast<std::size_t>(end - first) * rowValues_});
            {
                const std::lock_guard lock(mutex_);
                for (int row = first; row < end; ++row) done_[static_cast<std::size_t>(row % ringRows_)] = false;
                writtenRows_ = end;
            }
            changed_.notify_all();
            first = end;
        }
        if (tick && !abort_) tick(pathsDone_.load());
    }

    // Wakes every waiting thread; under the lock, so that none misses it.
    void abort() {
        {
            const std::lock_guard lock(mutex_);
            abort_ = true;
        }
        changed_.notify_all();
    }
    bool aborted() const { return abort_; }

private:
    float* slot(int row) { return values_.data() + static_cast<std::size_t>(row % ringRows_) * rowValues_; }
    bool bandDone(int first, int end) const {
        for (int row = first; row < end; ++row)
            if (!done_[static_cast<std::size_t>(row % ringRows_)]) return false;
        return true;
    }

    const CoverageSetup& setup_;
    const int rows_;
    const int bandRows_;
    const int ringRows_;
    const std::size_t rowValues_;
    std::vector<float> values_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<bool> done_;  // by ring slot
    int writtenRows_ = 0;
    std::atomic<int> nextRow_{0};
    std::atomic<std::size_t> pathsDone_{0};
    std::atomic<bool> abort_{false};
};

}  // namespace

RowsDone computeRows(const CoverageSetup& setup, int jobs, int bandRows, const WriteRows& write, const Tick& tick,
                     const std::atomic<bool>* stop) {
    RowRing ring(setup, bandRows);
    RowsDone total;
    std::exception_ptr workFailure;
    std::thread workers([&] {
        try {
            onThreads(jobs, [&] { ring.work(stop, total); }, [&] { ring.abort(); });
        } catch (...) {
            workFailure = std::current_exception();
        }
    });
    try {
        ring.drain(write, tick, stop);
    } catch (...) {
        ring.abort();
        workers.join();
        throw;
    }
    // A stop ends the drain; the workers may still wait for room.
    if (ring.aborted()) ring.abort();
    workers.join();
    if (workFailure) std::rethrow_exception(workFailure);
    total.stopped = ring.aborted();
    return total;
}

std::optional<std::size_t> countPaths(const CoverageSetup& setup, int jobs, const std::atomic<bool>* stop) {
    std::atomic<int> nextRow{0};
    std::atomic<std::size_t> paths{0};
    std::atomic<bool> abort{false};
    onThreads(
        jobs,
        [&] {
            terrain::DemSampler sampler(*setup.dems);
            std::size_t mine = 0;
            for (int row = nextRow++; row < setup.grid.rows() && !abort; row = nextRow++) {
                if (stopAsked(stop)) abort = true;
                for (int col = 0; col < setup.grid.cols() && !abort; ++col)
                    if (!cellWithoutPath(setup, sampler, row, col)) ++mine;
            }
            paths += mine;
        },
        [&] { abort = true; });
    if (abort) return std::nullopt;
    return paths.load();
}

}  // namespace tropolink::coverage
