#pragma once

#include <string>

namespace tropolink {

// Standard output through one buffer. Callers append whole lines to buffer()
// and call lineDone(); the buffer goes out when it is full, at every line on a
// terminal, and on flush(). A failed write (closed output, full disk, a
// reader that went away) stops all further output; failed() then tells.
class Output {
public:
    explicit Output(int fd);

    std::string& buffer() { return buffer_; }
    void lineDone();
    // Writes out what is buffered; false once output has failed.
    bool flush();
    bool failed() const { return errorNumber_ != 0; }
    int errorNumber() const { return errorNumber_; }

private:
    int fd_;
    bool terminal_;
    std::string buffer_;
    int errorNumber_ = 0;
};

inline constexpr std::size_t kOutputBufferBytes = 64 * 1024;

}  // namespace tropolink
