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

}  // namespace
}  // namespace tropolink
