#include "batch/ordered_workers.h"

#include <unistd.h>

#include <utility>

namespace tropolink {

OrderedWorkers::OrderedWorkers(int workers, std::size_t slots, MakeWork makeWork, Drain drain,
                               std::function<void()> onStop)
    : slots_(slots), drain_(std::move(drain)), onStop_(std::move(onStop)), worked_(slots, false) {
    threads_.reserve(static_cast<std::size_t>(workers) + 1);
    try {
        for (int i = 0; i < workers; ++i) threads_.emplace_back([this, makeWork] { workLoop(makeWork); });
        threads_.emplace_back([this] { drainLoop(); });
    } catch (...) {  // no thread to be had: end those that started
        stop();
        joinThreads();
        throw;
    }
}

OrderedWorkers::~OrderedWorkers() {
    if (threads_.empty()) return;
    stop();  // the producer left early, by an exception
    joinThreads();
}

std::optional<std::size_t> OrderedWorkers::acquire() {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return stopped() || submitted_ - drained_ < slots_; });
    if (stopped()) return std::nullopt;
    return submitted_ % slots_;
}

void OrderedWorkers::submit() {
    {
        const std::lock_guard lock(mutex_);
        ++submitted_;
    }
    changed_.notify_all();
}

bool OrderedWorkers::finish() {
    {
        const std::lock_guard lock(mutex_);
        closed_ = true;
    }
    changed_.notify_all();
    joinThreads();
    if (failure_) std::rethrow_exception(std::exchange(failure_, nullptr));
    return !stopped();
}

void OrderedWorkers::stop() {
    {
        const std::lock_guard lock(mutex_);
        if (stopped()) return;
        stopped_.store(true, std::memory_order_relaxed);
    }
    changed_.notify_all();
    if (onStop_) onStop_();
}

void OrderedWorkers::fail(std::exception_ptr failure) {
    {
        const std::lock_guard lock(mutex_);
        if (!failure_) failure_ = std::move(failure);
    }
    stop();
}

void OrderedWorkers::joinThreads() {
    for (std::thread& thread : threads_)
        if (thread.joinable()) thread.join();
    threads_.clear();
}

void OrderedWorkers::workLoop(const MakeWork& makeWork) {
    try {
        const Work work = makeWork();
        std::unique_lock lock(mutex_);
        while (true) {
            changed_.wait(lock, [this] { return stopped() || claimed_ < submitted_ || closed_; });
            if (stopped() || claimed_ == submitted_) return;  // closed and nothing left
            const std::size_t slot = claimed_++ % slots_;
            lock.unlock();
            work(slot);
            lock.lock();
            worked_[slot] = true;
            changed_.notify_all();
        }
    } catch (...) {
        fail(std::current_exception());
    }
}

void OrderedWorkers::drainLoop() {
    try {
        std::unique_lock lock(mutex_);
        while (true) {
            changed_.wait(lock, [this] {
                return stopped() || (drained_ < submitted_ && worked_[drained_ % slots_]) ||
                       (closed_ && drained_ == submitted_);
            });
            if (stopped() || drained_ == submitted_) return;
            const std::size_t slot = drained_ % slots_;
            lock.unlock();
            const bool more = drain_(slot);
            lock.lock();
            worked_[slot] = false;
            ++drained_;
            changed_.notify_all();
            if (!more) {
                lock.unlock();
                stop();
                return;
            }
        }
    } catch (...) {
        fail(std::current_exception());
    }
}

int onlineProcessors() {
    const long count = ::sysconf(_SC_NPROCESSORS_ONLN);
    return count > 0 ? static_cast<int>(count) : 1;
}

}  // namespace tropolink
