// The batch on several workers answers exactly as on one: same bytes, same
// order, same error objects, same exit status.
#include <gtest/gtest.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <new>
#include <stdexcept>
#include <string>
#include <thread>

#include "batch/jobs_option.h"
#include "batch/ordered_workers.h"
#include "batch_input.h"
#include "cli/batch_run.h"
#include "grammar/input_error.h"
#include "run_cli.h"
#include "sweep/sweep_csv.h"
#include "sweep/sweep_points.h"

namespace tropolink::cli {
namespace {

using testing_support::readAll;
using testing_support::temporaryFileWith;

using testing_support::batchOn;
using testing_support::BatchOutput;
using testing_support::randomSettings;

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
    const SweepPlan plan = planSweep({"distance-km=1:2000", {"frequency-mhz=900"}, 0, {"1", "50"}, {}, 0});
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

// A line that throws on one of several workers comes out of answerLines as it
// would on one.
TEST(JobsTest, AThrowingLineIsThrownWhateverTheWorkerCount) {
    std::string input;
    for (int i = 0; i < 1000; ++i) input += i == 700 ? "throw\n" : "line\n";
    for (const int jobs : {1, 2, 3}) {
        const int in = testing_support::temporaryFileWith(input);
        const int outFd = testing_support::temporaryFileWith("");
        Output out(outFd);
        EXPECT_THROW(answerLines(in, out, jobs,
                                 [] {
                                     return [](const InputLine& line, long long, std::string& text) {
                                         if (line.text == "throw") throw std::bad_alloc();
                                         text += "ok\n";
                                         return LineOutcome::Answered;
                                     };
                                 }),
                     std::bad_alloc)
            << jobs << " workers";
        close(in);
        close(outFd);
    }
}

}  // namespace
}  // namespace tropolink::cli
