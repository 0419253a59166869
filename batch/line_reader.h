#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string_view>

namespace tropolink {

// A line of input, without its '\n'. A line longer than kMaxLineBytes keeps
// only its first kMaxLineBytes bytes in `text` and is marked truncated; its
// length and first non-blank byte are still known, from the whole line.
struct InputLine {
    std::string_view text;
    bool truncated = false;
    std::size_t truncatedLength = 0;    // for truncated lines only
    std::optional<char> firstNonBlank;  // for truncated lines only
};

inline constexpr std::size_t kMaxLineBytes = 64 * 1024;

// Reads lines from a file descriptor through one fixed buffer, so memory stays
// the same however long the input or any of its lines. Before it would wait
// for input it calls `beforeWait`: a program that writes a line and waits for
// the answer gets it at once, while a stream that is always ready is read and
// answered in large blocks.
class LineReader {
public:
    LineReader(int fd, std::function<void()> beforeWait);

    // The next line, valid until the next call; false at the end of input or
    // on a read error.
    bool next(InputLine& line);
    int errorNumber() const { return errorNumber_; }
    // A descriptor that becomes readable when the reader should stop waiting
    // for input: the input then ends there.
    void setWakeFd(int fd) { wakeFd_ = fd; }

private:
    std::size_t readMore(std::size_t at);
    bool inputReady() const;
    bool waitForInput() const;
    void compact();
    void takeLongLine(InputLine& line);

    int fd_;
    std::function<void()> beforeWait_;
    std::unique_ptr<char[]> buffer_;
    std::size_t begin_ = 0;
    std::size_t end_ = 0;
    bool endOfInput_ = false;
    int errorNumber_ = 0;
    int wakeFd_ = -1;
};

}  // namespace tropolink
