#pragma once

#include <atomic>
#include <condition_variable>
#include <cstddef>
#include <exception>
#include <functional>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

namespace tropolink {

// A bounded pipeline over a fixed ring of chunk slots: one producer fills
// slots in order, `workers` threads each work on whole slots, and one drain
// thread takes the worked slots back in the order they were filled. The
// caller owns the chunks (one per slot index), so memory is what the ring
// holds and no more. The drain returning false stops everything: the
// producer's next acquire() gives nothing and workers that ask stopped()
// give up their chunk early. An exception thrown by a worker or the drain
// stops everything too, and finish() throws it on the producer's thread.
class OrderedWorkers {
public:
    using Work = std::function<void(std::size_t slot)>;
    // Called once on each worker thread, so a worker can keep state of its own.
    using MakeWork = std::function<Work()>;
    using Drain = std::function<bool(std::size_t slot)>;

    // `onStop` runs once, on the stopping thread, to wake a producer that waits
    // for input; whatever it uses must outlive these workers.
    OrderedWorkers(int workers, std::size_t slots, MakeWork makeWork, Drain drain, std::function<void()> onStop = {});
    // Stops the work unless finish() ended it, and ends the threads.
    ~OrderedWorkers();
    OrderedWorkers(const OrderedWorkers&) = delete;
    OrderedWorkers& operator=(const OrderedWorkers&) = delete;

    std::size_t slotCount() const { return slots_; }
    // The slot to fill next, once the drain has given it back; none when stopped.
    std::optional<std::size_t> acquire();
    // Hands the acquired slot to the workers.
    void submit();
    // Waits until every submitted slot is drained (or the work stopped) and
    // ends the threads. False when stopped; throws what a worker or the drain threw.
    bool finish();
    // Stops all stages.
    void stop();
    bool stopped() const { return stopped_.load(std::memory_order_relaxed); }

private:
    void workLoop(const MakeWork& makeWork);
    void drainLoop();
    void fail(std::exception_ptr failure);
    void joinThreads();

    const std::size_t slots_;
    Drain drain_;
    std::function<void()> onStop_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<bool> worked_;
    std::size_t submitted_ = 0;  // sequence numbers: slot = sequence % slots_
    std::size_t claimed_ = 0;
    std::size_t drained_ = 0;
    bool closed_ = false;
    std::atomic<bool> stopped_{false};
    std::exception_ptr failure_;  // the first exception of a worker or the drain
    std::vector<std::thread> threads_;
};

// The number of online processors, at least 1.
int onlineProcessors();

}  // namespace tropolink
