#include "io/output.h"

#include <unistd.h>

#include <cerrno>

namespace tropolink {

Output::Output(int fd) : fd_(fd), terminal_(isatty(fd) == 1) { buffer_.reserve(2 * kOutputBufferBytes); }

void Output::lineDone() {
    if (terminal_ || buffer_.size() >= kOutputBufferBytes) flush();
}

bool Output::flush() {
    std::size_t written = 0;
    while (!failed() && written < buffer_.size()) {
        const ssize_t n = ::write(fd_, buffer_.data() + written, buffer_.size() - written);
        if (n > 0)
            written += static_cast<std::size_t>(n);
        else if (n == 0)
            errorNumber_ = EIO;  // a write that moves nothing would never finish
        else if (errno != EINTR)
            errorNumber_ = errno;
    }
    buffer_.clear();
    return !failed();
}

}  // namespace tropolink
