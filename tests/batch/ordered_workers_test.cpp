// The ordered workers: slots drained in the order they were filled, and a
// failure of any stage stopping every stage.
#include "batch/ordered_workers.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <new>
#include <optional>
#include <stdexcept>
#include <thread>
#include <vector>

namespace tropolink {
namespace {

// Slots come back in the order they were filled however long each one's work takes.
TEST(OrderedWorkersTest, DrainsInFillOrder) {
    constexpr int kChunks = 500;
    std::vector<int> slotValue(6);
    std::vector<int> drained;
    OrderedWorkers workers(
        3, slotValue.size(),
        [&slotValue] {
            return [&slotValue](std::size_t slot) {
                std::this_thread::sleep_for(std::chrono::microseconds(slotValue[slot] % 7 * 50));
            };
        },
        [&](std::size_t slot) {
            drained.push_back(slotValue[slot]);
            return true;
        });
    for (int i = 0; i < kChunks; ++i) {
        const auto slot = workers.acquire();
        ASSERT_TRUE(slot);
        slotValue[*slot] = i;
        workers.submit();
    }
    EXPECT_TRUE(workers.finish());
    ASSERT_EQ(drained.size(), static_cast<std::size_t>(kChunks));
    for (int i = 0; i < kChunks; ++i) EXPECT_EQ(drained[static_cast<std::size_t>(i)], i);
}

// A drain that fails stops the producer and the workers.
TEST(OrderedWorkersTest, AFailedDrainStopsEveryStage) {
    std::atomic<int> worked = 0;
    std::atomic<bool> woken = false;
    OrderedWorkers workers(
        2, 4, [&worked] { return [&worked](std::size_t) { ++worked; }; }, [](std::size_t) { return false; },
        [&woken] { woken = true; });
    int acquired = 0;
    while (workers.acquire()) {
        workers.submit();
        ASSERT_LT(++acquired, 100);
    }
    EXPECT_FALSE(workers.finish());
    EXPECT_TRUE(woken);
    EXPECT_TRUE(workers.stopped());
    EXPECT_LE(worked, 5);  // the first slot and those already claimed
}

// What a worker or the drain throws stops every stage and comes out of
// finish() on the producer's thread, instead of ending the program.
TEST(OrderedWorkersTest, AnExceptionOfAnyStageComesOutOfFinish) {
    struct Case {
        const char* stage;
        int throwingWorkAt;   // -1: none
        int throwingDrainAt;  // -1: none
    };
    for (const Case& c : {Case{"work", 5, -1}, Case{"drain", -1, 3}, Case{"first work", 0, -1}}) {
        SCOPED_TRACE(c.stage);
        std::vector<int> slotValue(4);
        std::atomic<bool> woken = false;
        OrderedWorkers workers(
            2, slotValue.size(),
            [&] {
                return [&](std::size_t slot) {
                    if (slotValue[slot] == c.throwingWorkAt) throw std::bad_alloc();
                };
            },
            [&](std::size_t slot) {
                if (slotValue[slot] == c.throwingDrainAt) throw std::runtime_error("drain");
                return true;
            },
            [&woken] { woken = true; });
        int acquired = 0;
        for (std::optional<std::size_t> slot; (slot = workers.acquire());) {
            slotValue[*slot] = acquired;
            workers.submit();
            ASSERT_LT(++acquired, 1000) << "the producer was never stopped";
        }
        if (c.throwingWorkAt >= 0)
            EXPECT_THROW(workers.finish(), std::bad_alloc);
        else
            EXPECT_THROW(workers.finish(), std::runtime_error);
        EXPECT_TRUE(woken);
        EXPECT_TRUE(workers.finish() == false) << "thrown once only";
    }
}

}  // namespace
}  // namespace tropolink
