// Output files are replaced whole or not at all, and every output path is
// read one way: "-" is standard output, an empty or repeated one is refused.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "hostile_run.h"

namespace tropolink::cli {
namespace {

namespace fs = std::filesystem;
using testing::HasSubstr;
using testing::StartsWith;
using testing_support::CliRun;
using testing_support::HostileSetup;
using testing_support::runHostile;

constexpr char kProfile[] = "0,0\n5,40\n100,0\n";
constexpr char kOldContent[] = "what was there\n";

// A folder of its own, removed at the end.
class Folder {
public:
    Folder()
        : path_(fs::temp_directory_path() /
                ("tropolink-output-" + std::to_string(getpid()) + "-" + std::to_string(count_++))) {
        fs::create_directories(path_);
    }
    ~Folder() { fs::remove_all(path_); }
    Folder(const Folder&) = delete;
    Folder& operator=(const Folder&) = delete;

    std::string file(const std::string& name) const { return (path_ / name).string(); }
    std::vector<std::string> names() const {
        std::vector<std::string> found;
        for (const auto& entry : fs::directory_iterator(path_)) found.push_back(entry.path().filename().string());
        std::sort(found.begin(), found.end());
        return found;
    }
    const fs::path& path() const { return path_; }

private:
    static inline int count_ = 0;
    fs::path path_;
};

std::string contentOf(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void writeText(const std::string& path, const std::string& text) { std::ofstream(path, std::ios::binary) << text; }

struct FileCase {
    std::vector<std::string> args;  // "OLD" stands for the old file's path
    std::string input;
};

std::vector<std::string> withOld(std::vector<std::string> args, const std::string& old) {
    for (std::string& a : args)
        if (a == "OLD") a = old;
    return args;
}

const std::vector<FileCase> kFileWriters{
    {{"sweep", "distance-km=1:2000", "--csv", "OLD"}, ""},
    {{"sweep", "distance-km=1:2000", "--svg", "OLD"}, ""},
    {{"profile", "-", "--svg", "OLD"}, kProfile},
};

// Past the file-size limit the write fails instead of killing the tool: the
// old file stays whole, and no temporary file is left.
TEST(OutputFilesTest, AFileSizeLimitLeavesTheOldFile) {
    for (const FileCase& c : kFileWriters) {
        const Folder folder;
        const std::string old = folder.file("old.out");
        writeText(old, kOldContent);
        HostileSetup limited;
        limited.fileSizeBytes = 4096;
        limited.input = c.input;
        const CliRun run = runHostile(withOld(c.args, old), limited);
        SCOPED_TRACE(testing::PrintToString(c.args));
        EXPECT_EQ(run.signal, 0);
        EXPECT_EQ(run.exitStatus, 1);
        EXPECT_EQ(run.err, "tropolink-cli: cannot write " + old + ": File too large\n");
        EXPECT_EQ(contentOf(old), kOldContent);
        EXPECT_EQ(folder.names(), std::vector<std::string>{"old.out"});
    }
}

TEST(OutputFilesTest, AFullDeviceIsAWriteError) {
    for (const FileCase& c : kFileWriters) {
        HostileSetup setup;
        setup.input = c.input;
        const CliRun run = runHostile(withOld(c.args, "/dev/full"), setup);
        SCOPED_TRACE(testing::PrintToString(c.args));
        EXPECT_EQ(run.exitStatus, 1);
        EXPECT_EQ(run.err, "tropolink-cli: cannot write /dev/full: No space left on device\n");
    }
}

// A sweep replaces both its files or neither.
TEST(OutputFilesTest, ASecondFileThatFailsKeepsTheFirstOld) {
    const Folder folder;
    const std::string old = folder.file("old.csv");
    writeText(old, kOldContent);
    const CliRun run =
        runHostile({"sweep", "distance-km=1:9", "--csv", old, "--svg", folder.file("none/x.svg")}, HostileSetup{});
    EXPECT_EQ(run.exitStatus, 1);
    EXPECT_THAT(run.err, StartsWith("tropolink-cli: cannot open " + folder.file("none/x.svg") + ": "));
    EXPECT_EQ(contentOf(old), kOldContent);
    EXPECT_EQ(folder.names(), std::vector<std::string>{"old.csv"});
}

// The new content takes the old file's place: its permissions stay, and a
// symbolic link still leads to it.
TEST(OutputFilesTest, AReplacedFileKeepsItsModeAndItsLinks) {
    const Folder folder;
    const std::string target = folder.file("table.csv");
    writeText(target, kOldContent);
    ASSERT_EQ(chmod(target.c_str(), 0640), 0);
    fs::create_symlink(target, folder.file("link.csv"));
    const CliRun run = runHostile({"sweep", "distance-km=1:9", "--csv", folder.file("link.csv")}, HostileSetup{});
    ASSERT_EQ(run.exitStatus, 0) << run.err;
    EXPECT_TRUE(fs::is_symlink(folder.file("link.csv")));
    EXPECT_THAT(contentOf(target), StartsWith("distance-km,"));
    struct stat status {};
    ASSERT_EQ(stat(target.c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 07777, 0640u);
    EXPECT_EQ(folder.names(), (std::vector<std::string>{"link.csv", "table.csv"}));
}

struct PathCase {
    std::vector<std::string> args;
    std::string input;
    std::string message;  // empty: accepted
};

// Refused before any pass: nothing written anywhere.
TEST(OutputPathsTest, EmptyAndRepeatedPathsAndFlagsAreRefused) {
    const std::vector<PathCase> cases{
        {{"sweep", "distance-km=1:9", "--svg", ""},
         "",
         "--svg=\"\": empty file name (allowed: a file name, or - for standard output)"},
        {{"sweep", "distance-km=1:9", "--csv", ""}, "", "--csv=\"\": empty file name"},
        {{"sweep", "distance-km=1:9", "--csv", "x", "--svg", "x"},
         "",
         "--svg=x: the same file as --csv (allowed: a file of its own for each option)"},
        {{"sweep", "distance-km=1:9", "--csv", "x", "--svg", "./sub/../x"},
         "",
         "--svg=./sub/../x: the same file as --csv"},
        {{"sweep", "distance-km=1:9", "--csv", "-", "--svg", "-"}, "", "--svg=-: the same file as --csv"},
        {{"profile", "-", "--svg", ""}, kProfile, "--svg=\"\": empty file name"},
        {{"profile", "-", "--json", "--json"}, kProfile, "--json: given twice (allowed: --json at most once)"},
        {{"profile", "-", "--availability", "--availability"}, kProfile, "--availability: given twice"},
        {{"profile", "-", "--svg", "-", "--json"}, kProfile, "--svg=-: given with --json"},
        {{"profile", "-", "--svg", "-", "--availability"}, kProfile, "--svg=-: given with --availability"},
    };
    const Folder folder;
    fs::create_directories(folder.path() / "sub");
    for (const PathCase& c : cases) {
        HostileSetup setup;
        setup.input = c.input;
        setup.workingDirectory = folder.path().string();
        const CliRun run = runHostile(c.args, setup);
        SCOPED_TRACE(testing::PrintToString(c.args));
        EXPECT_EQ(run.exitStatus, 2);
        EXPECT_EQ(run.out, "");
        EXPECT_THAT(run.err, StartsWith("tropolink-cli: " + c.message));
        EXPECT_EQ(run.err.find('\n'), run.err.size() - 1);
        EXPECT_EQ(folder.names(), std::vector<std::string>{"sub"});
    }
}

// "-" is standard output for every output option, never a file named "-".
TEST(OutputPathsTest, ADashIsStandardOutput) {
    const Folder folder;
    HostileSetup setup;
    setup.workingDirectory = folder.path().string();
    const CliRun table = runHostile({"sweep", "distance-km=1:9"}, setup);
    EXPECT_EQ(runHostile({"sweep", "distance-km=1:9", "--csv", "-"}, setup).out, table.out);

    const CliRun both = runHostile({"sweep", "distance-km=1:9", "--svg", "-", "--csv", "t.csv"}, setup);
    EXPECT_EQ(both.exitStatus, 0);
    EXPECT_THAT(both.out, StartsWith("<?xml"));
    EXPECT_EQ(contentOf(folder.file("t.csv")), table.out);

    setup.input = kProfile;
    const CliRun picture = runHostile({"profile", "-", "--svg", "-"}, setup);
    EXPECT_EQ(picture.exitStatus, 0);
    EXPECT_THAT(picture.out, StartsWith("<?xml"));
    EXPECT_THAT(picture.out, HasSubstr("</svg>\n"));
    EXPECT_TRUE(picture.out.ends_with("</svg>\n")) << "the picture alone";
    EXPECT_EQ(folder.names(), std::vector<std::string>{"t.csv"});
}

}  // namespace
}  // namespace tropolink::cli
