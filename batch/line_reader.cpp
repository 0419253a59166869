#include "batch/line_reader.h"

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "grammar/blank.h"

namespace tropolink {
namespace {

constexpr std::size_t kReadChunkBytes = 64 * 1024;
// Room for a whole line of the longest length plus one read beyond it.
constexpr std::size_t kBufferBytes = kMaxLineBytes + kReadChunkBytes;

}  // namespace

LineReader::LineReader(int fd, std::function<void()> beforeWait)
    : fd_(fd), beforeWait_(std::move(beforeWait)), buffer_(std::make_unique<char[]>(kBufferBytes)) {
    // A closed input fails at once, before anything else can take its number.
    if (::fcntl(fd_, F_GETFD) < 0) {
        errorNumber_ = errno;
        endOfInput_ = true;
    }
}

bool LineReader::next(InputLine& line) {
    line = InputLine{};
    char* data = buffer_.get();
    while (true) {
        const auto* newline = static_cast<const char*>(std::memchr(data + begin_, '\n', end_ - begin_));
        const std::size_t lineEnd = newline ? static_cast<std::size_t>(newline - data) : end_;
        if (lineEnd - begin_ > kMaxLineBytes) {
            takeLongLine(line);
            return true;
        }
        if (newline) {
            line.text = {data + begin_, lineEnd - begin_};
            begin_ = lineEnd + 1;
            return true;
        }
        if (endOfInput_) {
            if (begin_ == end_) return false;
            line.text = {data + begin_, end_ - begin_};  // the last line has no '\n'
            begin_ = end_;
            return true;
        }
        compact();
        end_ += readMore(end_);
    }
}

// Keeps the first kMaxLineBytes bytes of the line at the front of the buffer
// and reads the rest of it, piece by piece, into the space behind them, where
// it is scanned and dropped.
void LineReader::takeLongLine(InputLine& line) {
    compact();
    char* data = buffer_.get();
    line.truncated = true;
    line.text = {data, kMaxLineBytes};
    std::string_view unscanned(data, end_);
    while (true) {
        const auto newline = unscanned.find('\n');
        const std::string_view part = unscanned.substr(0, newline);
        if (!line.firstNonBlank) line.firstNonBlank = firstNonBlank(part);
        line.truncatedLength += part.size();
        if (newline != std::string_view::npos) {
            begin_ = static_cast<std::size_t>(part.data() - data) + newline + 1;
            return;
        }
        begin_ = end_ = kMaxLineBytes;
        const std::size_t count = readMore(kMaxLineBytes);
        if (count == 0) return;
        end_ += count;
        unscanned = {data + kMaxLineBytes, count};
    }
}

std::size_t LineReader::readMore(std::size_t at) {
    if (beforeWait_ && !inputReady()) beforeWait_();
    if (!waitForInput()) {
        endOfInput_ = true;
        return 0;
    }
    while (true) {
        const ssize_t n = ::read(fd_, buffer_.get() + at, kBufferBytes - at);
        if (n > 0) return static_cast<std::size_t>(n);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) errorNumber_ = errno;
        endOfInput_ = true;
        return 0;
    }
}

bool LineReader::inputReady() const {
    pollfd request{fd_, POLLIN, 0};
    return ::poll(&request, 1, 0) > 0;
}

// False when woken instead.
bool LineReader::waitForInput() const {
    if (wakeFd_ < 0) return true;
    pollfd requests[2] = {{fd_, POLLIN, 0}, {wakeFd_, POLLIN, 0}};
    while (::poll(requests, 2, -1) < 0)
        if (errno != EINTR) return true;  // let the read itself tell
    return (requests[1].revents & POLLIN) == 0;
}

void LineReader::compact() {
    std::memmove(buffer_.get(), buffer_.get() + begin_, end_ - begin_);
    end_ -= begin_;
    begin_ = 0;
}

}  // namespace tropolink
