// Inputs that are not regular files: a FIFO would block the reader forever
// and a device never ends. Each is refused in one line before it is opened;
// a file far larger than any plan is refused once the cap is read.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>

#include "io/input_file.h"
#include "plan/plan_check.h"
#include "plan/plan_toml.h"
#include "profile/profile_error.h"
#include "profile/profile_file.h"

namespace tropolink {
namespace {

namespace fs = std::filesystem;

class NonRegularFilesTest : public testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() / ("non-regular-files-" + std::to_string(::getpid()));
        fs::create_directories(dir_);
        ASSERT_EQ(mkfifo(fifo().c_str(), 0600), 0);
        std::ofstream(large(), std::ios::binary) << std::string(kMaxPlanBytes + 1, '#');
    }
    void TearDown() override { fs::remove_all(dir_); }

    std::string fifo() const { return (dir_ / "fifo.tropolink.toml").string(); }
    std::string large() const { return (dir_ / "large.tropolink.toml").string(); }
    std::string folder() const { return dir_.string(); }

private:
    fs::path dir_;
};

struct NonRegularFile {
    std::string path;
    std::string reason;
};

std::string planRefusal(const std::string& path) {
    try {
        readPlan(path);
    } catch (const PlanError& e) {
        return e.what();
    }
    return "accepted";
}

TEST_F(NonRegularFilesTest, APlanThatIsNotARegularFileIsRefusedUnopened) {
    const std::string allowed = " (allowed: a regular .tropolink.toml file of at most 4 MiB)";
    const NonRegularFile cases[] = {
        {fifo(), "a FIFO"},
        {"/dev/zero", "a character device"},
        {"/dev/null", "a character device"},
        {large(), "larger than 4 MiB"},
    };
    for (const NonRegularFile& c : cases) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(planRefusal(c.path), c.path + ": cannot read the plan: " + c.reason + allowed);
    }
    EXPECT_EQ(planRefusal(folder()), folder() + ": a folder, not a plan (allowed: a .tropolink.toml file)");
}

TEST_F(NonRegularFilesTest, AProfileThatIsNotARegularFileIsRefusedUnopened) {
    const NonRegularFile cases[] = {
        {fifo(), "a FIFO"},
        {"/dev/zero", "a character device"},
    };
    // A folder fails to read as any unreadable file does: an I/O error.
    EXPECT_THROW(profile::readProfileFile(folder()), std::system_error);
    for (const NonRegularFile& c : cases) {
        SCOPED_TRACE(c.path);
        try {
            profile::readProfileFile(c.path);
            ADD_FAILURE() << "accepted";
        } catch (const profile::ProfileError& e) {
            EXPECT_EQ(profile::profileMessage(c.path, e),
                      c.path + ": " + c.reason + " (allowed: a regular CSV file, or - for standard input)");
        }
    }
}

std::string wholeFileRefusal(const std::string& path, std::uint64_t maxBytes) {
    try {
        return "read " + std::to_string(readWholeFile(path, maxBytes).size()) + " bytes";
    } catch (const InputFileError& e) {
        return e.what();
    }
}

TEST_F(NonRegularFilesTest, AWholeFileIsReadUpToItsCapExactly) {
    const std::string exact = large() + ".exact";
    std::ofstream(exact, std::ios::binary) << std::string(1000, 'x');
    const struct {
        std::string path;
        std::uint64_t maxBytes;
        std::string result;
    } cases[] = {
        {exact, 1000, "read 1000 bytes"},
        {exact, 999, "larger than 999 bytes"},
        {large(), kMaxPlanBytes, "larger than 4 MiB"},
        {"/dev/null", 1, "a character device"},
        {"", 1, "an empty path"},
        {std::string("a\0b", 3), 1, "a path holding a NUL byte"},
        {exact + ".absent", 1, "no such file"},
    };
    for (const auto& c : cases) EXPECT_EQ(wholeFileRefusal(c.path, c.maxBytes), c.result) << c.path;
}

}  // namespace
}  // namespace tropolink
