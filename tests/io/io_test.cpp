// Output through one buffer, and files put in place whole: a failure says
// which file, what could not be done to it and its error code.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "io/file_output.h"
#include "io/input_files.h"
#include "io/output.h"
#include "tests/support/temporary_file.h"

namespace tropolink {
namespace {

namespace fs = std::filesystem;
using testing_support::readAll;
using testing_support::temporaryFileWith;

TEST(OutputTest, BuffersUntilFlushed) {
    const int fd = temporaryFileWith("");
    Output out(fd);
    out.buffer() += "line\n";
    out.lineDone();
    EXPECT_EQ(readAll(fd), "");
    EXPECT_TRUE(out.flush());
    EXPECT_EQ(readAll(fd), "line\n");
    close(fd);
}

TEST(OutputTest, AFailedWriteIsKept) {
    const int full = open("/dev/full", O_WRONLY);
    ASSERT_GE(full, 0);
    Output out(full);
    out.buffer() += "x";
    EXPECT_FALSE(out.flush());
    EXPECT_EQ(out.errorNumber(), ENOSPC);
    out.buffer() += "y";
    EXPECT_FALSE(out.flush());
    close(full);

    int fds[2];
    ASSERT_EQ(pipe(fds), 0);
    close(fds[0]);
    std::signal(SIGPIPE, SIG_IGN);  // as tropolink-cli does: a write error, not a signal
    Output toNobody(fds[1]);
    toNobody.buffer() += "x";
    EXPECT_FALSE(toNobody.flush());
    EXPECT_EQ(toNobody.errorNumber(), EPIPE);
    close(fds[1]);
}

// A fresh folder of its own, removed with everything in it.
class Folder {
public:
    Folder() {
        std::string pattern = (fs::temp_directory_path() / "io-test-XXXXXX").string();
        path_ = ::mkdtemp(pattern.data());
    }
    ~Folder() { fs::remove_all(path_); }
    Folder(const Folder&) = delete;
    Folder& operator=(const Folder&) = delete;
    std::string file(const std::string& name) const { return (path_ / name).string(); }
    std::size_t entries() const {
        return static_cast<std::size_t>(std::distance(fs::directory_iterator(path_), fs::directory_iterator()));
    }

private:
    fs::path path_;
};

std::string contentOf(const std::string& file) {
    std::ifstream in(file, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

TEST(FileOutputTest, AFileIsReplacedWholeAndNothingIsLeftBeside) {
    const Folder folder;
    const std::string file = folder.file("out.txt");
    std::ofstream(file) << "old";
    EXPECT_FALSE(writeFile(file, "new text"));
    EXPECT_EQ(contentOf(file), "new text");
    EXPECT_EQ(folder.entries(), 1u);
}

TEST(FileOutputTest, AFailureNamesTheFileWhatFailedAndWhy) {
    const Folder folder;
    struct Case {
        std::string path;
        std::string_view action;
        int error;
        std::string message;
    };
    const std::string missing = folder.file("none/x.svg");
    const Case cases[] = {
        {missing, "open", ENOENT, "cannot open " + missing + ": No such file or directory"},
        {"/dev/full", "write", ENOSPC, "cannot write /dev/full: No space left on device"},
        {folder.file("bad\x01name/x"), "open", ENOENT,
         "cannot open " + folder.file("bad\\x01name/x") + ": No such file or directory"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        const auto failed = writeFile(c.path, "text");
        ASSERT_TRUE(failed);
        EXPECT_EQ(failed->path, c.path);
        EXPECT_EQ(failed->action, c.action);
        EXPECT_EQ(failed->error, std::error_code(c.error, std::generic_category()));
        EXPECT_EQ(failed->message(), c.message);
    }
}

TEST(FileOutputTest, UncommittedFilesLeaveTheOldOnes) {
    const Folder folder;
    const std::string first = folder.file("first.csv");
    std::ofstream(first) << "old";
    {
        StagedFiles files;
        EXPECT_FALSE(files.write(first, "new"));
        EXPECT_TRUE(files.write(folder.file("none/second.svg"), "new"));
    }
    EXPECT_EQ(contentOf(first), "old");
    EXPECT_EQ(folder.entries(), 1u);
}

// A file another writer fills by name: reserved before the work, so that a
// name that cannot be written is found at once; put in place with the rest.
TEST(FileOutputTest, ReservedFilesAreRefusedAtOnceAndCommittedWithTheRest) {
    const Folder folder;
    const std::string written = folder.file("map.png"), reserved = folder.file("map.tif");
    fs::create_directory(folder.file("dir"));
    struct Case {
        std::string path;
        std::string message;
    } const cases[] = {
        {folder.file("none/x.tif"), "cannot open " + folder.file("none/x.tif") + ": No such file or directory"},
        {folder.file("dir"), "cannot write " + folder.file("dir") + ": not a regular file"},
        {"/dev/null", "cannot write /dev/null: not a regular file"},
        {folder.file("./map.tif"), "cannot write " + folder.file("./map.tif") + ": also named as another output"},
        {folder.file("dir/../map.png"),
         "cannot write " + folder.file("dir/../map.png") + ": also named as another output"},
        {"", "cannot write : an empty file name"},
    };
    std::ofstream(reserved) << "old";
    fs::permissions(reserved, fs::perms::owner_read | fs::perms::owner_write);
    StagedFiles files;
    ASSERT_FALSE(files.reserve(reserved));
    ASSERT_FALSE(files.write(written, "picture"));
    for (const Case& c : cases) {
        const auto failed = files.reserve(c.path);
        ASSERT_TRUE(failed) << c.path;
        EXPECT_EQ(failed->message(), c.message);
    }
    EXPECT_EQ(files.write(folder.file("./map.png"), "again")->message(),
              "cannot write " + folder.file("./map.png") + ": also named as another output");
    EXPECT_THROW(static_cast<void>(files.temporaryFor(written)), std::invalid_argument);
    const std::string temporary = files.temporaryFor(reserved);
    EXPECT_EQ(contentOf(temporary), "");
    EXPECT_EQ(fs::status(temporary).permissions() & fs::perms::all, fs::perms::owner_read | fs::perms::owner_write);
    std::ofstream(temporary) << "new map";
    EXPECT_EQ(contentOf(reserved), "old");
    EXPECT_FALSE(files.commit());
    EXPECT_EQ(contentOf(reserved), "new map");
    EXPECT_EQ(contentOf(written), "picture");
    EXPECT_EQ(folder.entries(), 3u);
}

TEST(FileOutputTest, UncommittedReservationsLeaveNothing) {
    const Folder folder;
    {
        StagedFiles files;
        ASSERT_FALSE(files.reserve(folder.file("map.tif")));
        EXPECT_EQ(folder.entries(), 1u);
    }
    EXPECT_EQ(folder.entries(), 0u);
}

TEST(WriteErrorTest, CarriesTheFailureAndItsLine) {
    const WriteError error({"map\n.tif", "write", {}, "GDAL cannot finish it"});
    EXPECT_STREQ(error.what(), "cannot write map\\x0A.tif: GDAL cannot finish it");
    EXPECT_EQ(error.failure().reason, "GDAL cannot finish it");
}

}  // namespace
}  // namespace tropolink

namespace tropolink {
namespace {

// "plan\0x" would reach stat() as "plan": the output would pass for the plan
// and an input so named would add the plan; neither names a file.
TEST(InputFilesTest, ANameHoldingANulIsNoFile) {
    const fs::path dir = fs::temp_directory_path() / ("input-files-" + std::to_string(getpid()));
    fs::create_directories(dir);
    std::ofstream(dir / "plan") << "x";
    const std::string plan = (dir / "plan").string();
    const std::string cut = plan + std::string(1, '\0') + "x";
    InputFiles inputs;
    inputs.add(cut);
    EXPECT_FALSE(inputs.inputAt(plan));
    inputs.add(plan);
    EXPECT_EQ(inputs.inputAt(plan), plan);
    EXPECT_FALSE(inputs.inputAt(cut));
    fs::remove_all(dir);
}

}  // namespace
}  // namespace tropolink
