// --jobs in the subcommands: read as the tool's own, and the output the same
// bytes whatever its value.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "run_cli.h"

namespace tropolink::cli {
namespace {

using testing_support::CliRun;
using testing_support::runCli;

struct JobsRunCase {
    std::vector<std::string> args;
    std::string input;
};

TEST(SubcommandJobsTest, OutputIsTheSameOnOneAndTwoWorkers) {
    std::string settingsLines;
    for (int km = 50; km <= 2000; km += 50) settingsLines += "distance-km=" + std::to_string(km) + "\n";
    settingsLines += "nope=1\n";
    const std::string profile = "0,0\n5,40\n100,0\n";
    for (const JobsRunCase& c : {JobsRunCase{{"availability", "--batch"}, settingsLines},
                                 JobsRunCase{{"sweep", "distance-km=1:700", "--percent", "99"}, ""},
                                 JobsRunCase{{"profile", "-", "--availability"}, profile}}) {
        SCOPED_TRACE(testing::PrintToString(c.args));
        std::vector<CliRun> runs;
        for (const char* jobs : {"1", "2"}) {
            std::vector<std::string> args = c.args;
            args.insert(args.end(), {"--jobs", jobs});
            runs.push_back(runCli(args, c.input));
        }
        EXPECT_EQ(runs[0].exitStatus, c.input == settingsLines ? 2 : 0) << runs[0].err;
        EXPECT_EQ(runs[1].exitStatus, runs[0].exitStatus);
        EXPECT_GT(runs[0].out.size(), 1000u);
        EXPECT_TRUE(runs[1].out == runs[0].out);
        EXPECT_EQ(runs[1].err, runs[0].err);
    }
}

TEST(SubcommandJobsTest, RefusedAsTheToolsOwnJobs) {
    const std::string profile = "0,0\n5,40\n100,0\n";
    for (const auto& [command, text] : std::vector<std::pair<std::vector<std::string>, std::string>>{
             {{"availability", "--batch"}, "0"},
             {{"sweep", "distance-km=1:9"}, "257"},
             {{"profile", "-"}, "x"},
             {{"availability", "--batch"}, "2.5"},
         }) {
        std::vector<std::string> args = command;
        args.insert(args.end(), {"--jobs", text});
        const CliRun run = runCli(args, profile);
        const CliRun top = runCli({"--batch", "--jobs", text});
        SCOPED_TRACE(testing::PrintToString(args));
        EXPECT_EQ(run.exitStatus, 2);
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(run.err, top.err);
        EXPECT_THAT(run.err, testing::HasSubstr("(allowed: a whole number from 1 to 256)\n"));
    }
    EXPECT_THAT(runCli({"availability", "--jobs", "2"}).err, testing::HasSubstr("--jobs requires --batch"));
}

}  // namespace
}  // namespace tropolink::cli
