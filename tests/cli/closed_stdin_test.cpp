// Every command that reads standard input says so when it is closed, on any
// number of workers, instead of waiting for ever.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "hostile_run.h"

namespace tropolink::cli {
namespace {

using testing_support::CliRun;
using testing_support::runHostile;

TEST(ClosedStdinTest, EveryReaderOfStandardInputFailsWithStatus1) {
    testing_support::HostileSetup closed;
    closed.closeStdin = true;
    for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
             {"--batch"},
             {"--batch", "--jobs", "1"},
             {"--batch", "--jobs", "2"},
             {"--batch", "--values", "--jobs", "5"},
             {"availability", "--batch"},
             {"availability", "--batch", "--jobs", "1"},
             {"availability", "--batch", "--jobs", "2"},
             {"profile", "-"},
         }) {
        SCOPED_TRACE(testing::PrintToString(args));
        const CliRun run = runHostile(args, closed);
        EXPECT_EQ(run.exitStatus, 1);
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(run.err, "tropolink-cli: cannot read standard input: Bad file descriptor\n");
    }
}

}  // namespace
}  // namespace tropolink::cli
