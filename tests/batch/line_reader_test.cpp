#include "batch/line_reader.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cerrno>
#include <string>
#include <vector>

#include "tests/support/temporary_file.h"

namespace tropolink {
namespace {

using testing_support::temporaryFileWith;

struct ReadLine {
    std::string text;
    bool truncated;
    std::size_t truncatedLength;
};

std::vector<ReadLine> readLines(const std::string& input) {
    const int fd = temporaryFileWith(input);
    LineReader reader(fd, nullptr);
    std::vector<ReadLine> lines;
    for (InputLine line; reader.next(line);)
        lines.push_back({std::string(line.text), line.truncated, line.truncatedLength});
    close(fd);
    return lines;
}

TEST(LineReaderTest, SplitsAtNewlinesAndKeepsEverythingElse) {
    const auto lines = readLines(std::string("a b\r\n\nc\0d\n last", 15));
    ASSERT_EQ(lines.size(), 4U);
    EXPECT_EQ(lines[0].text, "a b\r");
    EXPECT_EQ(lines[1].text, "");
    EXPECT_EQ(lines[2].text, std::string("c\0d", 3));
    EXPECT_EQ(lines[3].text, " last");
}

TEST(LineReaderTest, EmptyInputHasNoLines) { EXPECT_TRUE(readLines("").empty()); }

// Lines right at the limit are whole; one byte more and only the start is kept.
TEST(LineReaderTest, TruncatesOnlyLinesBeyondTheLimit) {
    const std::string atLimit(kMaxLineBytes, 'a');
    const std::string beyond(kMaxLineBytes + 1, 'b');
    const std::string huge(3 * kMaxLineBytes + 17, 'c');
    const auto lines = readLines(atLimit + "\n" + beyond + "\n" + huge + "\nnext\n" + huge);
    ASSERT_EQ(lines.size(), 5U);
    EXPECT_FALSE(lines[0].truncated);
    EXPECT_EQ(lines[0].text, atLimit);
    EXPECT_TRUE(lines[1].truncated);
    EXPECT_EQ(lines[1].truncatedLength, beyond.size());
    EXPECT_EQ(lines[1].text, beyond.substr(0, kMaxLineBytes));
    EXPECT_TRUE(lines[2].truncated);
    EXPECT_EQ(lines[2].truncatedLength, huge.size());
    EXPECT_EQ(lines[3].text, "next");
    EXPECT_TRUE(lines[4].truncated);
    EXPECT_EQ(lines[4].truncatedLength, huge.size());
}

// The reader hands over control before it would wait, so answers buffered so
// far can go out to a program that waits for them.
TEST(LineReaderTest, CallsBeforeWaitOnlyWhenInputIsNotReady) {
    int fds[2];
    ASSERT_EQ(pipe(fds), 0);
    ASSERT_EQ(write(fds[1], "a\n", 2), 2);
    int waits = 0;
    LineReader reader(fds[0], [&] {
        ++waits;
        EXPECT_EQ(write(fds[1], "b\n", 2), 2);
        close(fds[1]);
    });
    InputLine line;
    ASSERT_TRUE(reader.next(line));
    EXPECT_EQ(line.text, "a");
    EXPECT_EQ(waits, 0);
    ASSERT_TRUE(reader.next(line));
    EXPECT_EQ(line.text, "b");
    EXPECT_EQ(waits, 1);
    EXPECT_FALSE(reader.next(line));
    EXPECT_EQ(waits, 1);  // a closed pipe is ready: it reads as the end
    close(fds[0]);
}

// A closed descriptor fails at once, even when its number is taken again
// before the first read.
TEST(LineReaderTest, AClosedDescriptorIsAReadError) {
    const int fd = temporaryFileWith("a\n");
    close(fd);
    LineReader reader(fd, nullptr);
    const int other = temporaryFileWith("b\n");
    ASSERT_EQ(dup2(other, fd), fd);
    InputLine line;
    EXPECT_FALSE(reader.next(line));
    EXPECT_EQ(reader.errorNumber(), EBADF);
    close(fd);
    close(other);
}

}  // namespace
}  // namespace tropolink
