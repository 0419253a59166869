// The batch on several workers answers exactly as on one: same bytes, same
// order, same error objects, same exit status.
#include <gtest/gtest.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <random>
#include <string>
#include <thread>

#include "cli/batch_run.h"
#include "link/input_error.h"
#include "batch/jobs_option.h"
#include "batch/ordered_workers.h"
#include "engine/slider.h"
#include "run_cli.h"
#include "sweep/sweep_csv.h"
#include "sweep/sweep_points.h"

namespace tropolink::cli {
namespace {

using testing_support::readAll;
using testing_support::temporaryFileWith;

struct BatchOutput {
    int exitStatus;
    std::string text;
};

BatchOutput batchOn(const std::string& input, int jobs, bool withValues) {
    const int in = temporaryFileWith(input);
    const int outFd = temporaryFileWith("");
    Output out(outFd);
    const RunResult result = runBatch(in, out, withValues, jobs);
    BatchOutput run{result.exitStatus, readAll(outFd)};
    close(in);
    close(outFd);
    return run;
}

// Random positions of random sliders, with refused words, blank and comment
// lines, CRLF ends and the power option mixed in.
std::string randomSettings(int count, unsigned seed) {
    std::mt19937 random(seed);
    const auto pick = [&random](int from, int to) { return std::uniform_int_distribution<int>(from, to)(random); };
    std::string text;
    for (int i = 0; i < count; ++i) {
        switch (pick(0, 19)) {
            case 0:
                text += "\n";
                continue;
            case 1:
                text += "  # a comment\n";
                continue;
            case 2:
                text += "nope=1\n";
                continue;
            case 3:
                text += "HScroll21=49 HScroll1=5\n";
                continue;  // below the range
            case 4:
                text += "distance-km=300 distance-km=301\r\n";
                continue;
            default:
                break;
        }
        for (int words = pick(1, 8); words > 0; --words) {
            const SliderSpec& s = kSliders[static_cast<std::size_t>(pick(0, kSliderCount - 1))];
            text += std::string(s.name) + "=" + std::to_string(pick(s.minimum, s.maximum)) + " ";
        }
        if (pick(0, 3) == 0) text += "power-div-1000";
        text += "\n";
    }
    return text;
}

TEST(JobsTest, FourWorkersAnswerByteForByteAsOne) {
    const std::string input = randomSettings(100'000, 20261208);
    const BatchOutput one = batchOn(input, 1, false);
    const BatchOutput four = batchOn(input, 4, false);
    EXPECT_EQ(one.exitStatus, 2);  // some lines are refused
    EXPECT_EQ(four.exitStatus, one.exitStatus);
    EXPECT_GT(one.text.size(), 40'000'000U);  // most lines are answered
    EXPECT_TRUE(four.text == one.text) << "outputs differ";
}

TEST(JobsTest, ValuesAndEveryWorkerCountAgree) {
    const std::string input = randomSettings(3'000, 7);
    const BatchOutput one = batchOn(input, 1, true);
    for (const int jobs : {2, 3, 16}) {
        const BatchOutput many = batchOn(input, jobs, true);
        EXPECT_EQ(many.exitStatus, one.exitStatus) << jobs;
        EXPECT_TRUE(many.text == one.text) << jobs << " workers";
    }
}

// Long lines, lines that end a chunk by their size and an input of only blanks.
TEST(JobsTest, LongLinesAndEmptyInputsAgree) {
    const std::string longWord(70'000, 'x');
    for (const std::string& input :
         {std::string(), std::string("\n\n\n"), longWord + "\ndistance-km=300\n" + longWord,
          std::string(40'000, ' ') + "distance-km=20\n" + std::string(30'000, '#') + "\nHScroll3=7"}) {
        const BatchOutput one = batchOn(input, 1, false);
        const BatchOutput three = batchOn(input, 3, false);
        EXPECT_EQ(three.exitStatus, one.exitStatus);
        EXPECT_EQ(three.text, one.text);
    }
}

// A sweep's table is the same on any number of workers, ITU-R columns included.
TEST(JobsTest, SweepPointsAreTheSameOnAnyNumberOfWorkers) {
    const SweepPlan plan = planSweep({"distance-km=1:2000", {"frequency-mhz=900"}, 0, {"1", "50"}});
    std::string one;
    appendSweepCsv(one, plan, runSweepPasses(plan, 1));
    for (const int jobs : {2, 5}) {
        std::string many;
        appendSweepCsv(many, plan, runSweepPasses(plan, jobs));
        EXPECT_TRUE(many == one) << jobs << " workers";
    }
}

struct JobsCase {
    const char* text;
    int jobs;  // 0: refused
};

TEST(JobsTest, JobsOptionIsAWholeNumberOfWorkers) {
    for (const JobsCase& c : {JobsCase{"1", 1}, JobsCase{"4", 4}, JobsCase{"256", 256}, JobsCase{"0", 0},
                              JobsCase{"257", 0}, JobsCase{"-2", 0}, JobsCase{"+2", 2}, JobsCase{"2.0", 2},
                              JobsCase{"", 0}, JobsCase{"99999999999", 0}, JobsCase{"3x", 0}}) {
        if (c.jobs == 0)
            EXPECT_THROW(parseJobs(c.text), InputError) << c.text;
        else
            EXPECT_EQ(parseJobs(c.text), c.jobs);
    }
}

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
        2, 4, [&worked] { return [&worked](std::size_t) { ++worked; }; }, [](std::size_t) { return false; });
    workers.setOnStop([&woken] { woken = true; });
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

}  // namespace
}  // namespace tropolink::cli
