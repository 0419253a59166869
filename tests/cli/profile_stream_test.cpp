// A profile is read row by row: endless or huge input ends at its first bad
// row, in little memory, with one line and no crash.
#include <gmock/gmock.h>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <string>

#include "hostile_run.h"

namespace tropolink::cli {
namespace {

using testing::StartsWith;
using testing_support::CliProcess;
using testing_support::CliRun;
using testing_support::HostileSetup;
using testing_support::runHostile;

constexpr rlim_t kAddressSpaceBytes = 256u << 20;

TEST(ProfileStreamTest, EndlessZerosEndAtTheFirstRowUnderAMemoryLimit) {
    if (testing_support::kSanitized) GTEST_SKIP() << "the sanitizer's shadow memory needs more address space";
    HostileSetup limited;
    limited.addressSpaceBytes = kAddressSpaceBytes;
    // Named, the device is refused unopened; as standard input, at its first row.
    const CliRun named = runHostile({"profile", "/dev/zero"}, limited);
    EXPECT_EQ(named.signal, 0);
    EXPECT_EQ(named.exitStatus, 2);
    EXPECT_EQ(named.err,
              "tropolink-cli: /dev/zero: a character device (allowed: a regular CSV file, or - for standard input)\n");
    const int zeros = open("/dev/zero", O_RDONLY | O_CLOEXEC);
    ASSERT_GE(zeros, 0);
    limited.stdinFd = zeros;
    const CliRun run = runHostile({"profile", "-"}, limited);
    close(zeros);
    EXPECT_EQ(run.signal, 0);
    EXPECT_EQ(run.exitStatus, 2);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err,
              "tropolink-cli: standard input: row 1: longer than 4096 bytes (allowed: rows of at most 4096 bytes)\n");
}

// The tool stops reading at row 3: what the pipe and one read hold is all it takes in.
TEST(ProfileStreamTest, ABadRowStopsTheReadingOfAnEndlessStream) {
    std::signal(SIGPIPE, SIG_IGN);
    for (const std::string& head : {std::string("0,0\n5,0\n5,0\n"), std::string("\xEF\xBB\xBF"
                                                                                "0,0\n5,0\n4,0\n")}) {
        int pipeFds[2];
        ASSERT_EQ(pipe(pipeFds), 0);
        HostileSetup setup;
        setup.stdinFd = pipeFds[0];
        CliProcess process({"profile", "-"}, setup);
        close(pipeFds[0]);
        constexpr std::size_t kGiveUpBytes = 64u << 20;
        std::string rows;
        while (rows.size() < 65536) rows += "6,0\n";
        std::string block = head + rows;
        std::size_t written = 0;
        while (written < kGiveUpBytes) {
            const ssize_t n = write(pipeFds[1], block.data(), block.size());
            if (n < 0 && errno == EINTR) continue;
            if (n <= 0) break;  // the tool is gone
            written += static_cast<std::size_t>(n);
            block = rows;
        }
        close(pipeFds[1]);
        const CliRun run = process.wait();
        EXPECT_LT(written, 4u << 20) << "read on past the bad row";
        EXPECT_EQ(run.exitStatus, 2);
        EXPECT_THAT(run.err, StartsWith("tropolink-cli: standard input: row 3: "));
    }
}

// Whatever the run throws becomes one line: status 1 when no thread can be
// had, 2 when the memory for one ran out.
TEST(ProfileStreamTest, AnExceptionOfTheRunIsOneLine) {
    if (testing_support::kSanitized) GTEST_SKIP() << "the sanitizer's shadow memory needs more address space";
    HostileSetup limited;
    limited.addressSpaceBytes = kAddressSpaceBytes;
    limited.input = "distance-km=300\n";
    const CliRun run = runHostile({"--batch", "--jobs", "256"}, limited);
    EXPECT_EQ(run.signal, 0);
    EXPECT_EQ(run.exitStatus, run.err == "tropolink-cli: out of memory\n" ? 2 : 1) << run.err;
    EXPECT_THAT(run.err, StartsWith("tropolink-cli: "));
    EXPECT_EQ(run.err.find('\n'), run.err.size() - 1);
}

}  // namespace
}  // namespace tropolink::cli
