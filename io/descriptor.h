#pragma once

namespace tropolink {

// A file descriptor, closed with its owner.
class Descriptor {
public:
    explicit Descriptor(int fd = -1) : fd_(fd) {}
    ~Descriptor() { reset(); }
    Descriptor(Descriptor&& other) noexcept : fd_(other.release()) {}
    Descriptor& operator=(Descriptor&& other) noexcept;
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;

    int get() const { return fd_; }
    int release();
    // Closes the descriptor; the errno of a failed close, 0 otherwise.
    int reset();

private:
    int fd_;
};

// `fd` moved to a close-on-exec descriptor of 3 or more, the original closed:
// a descriptor the tool makes never stands in for a closed standard input,
// output or error. -1 (and a failed move) gives -1, with errno set.
int aboveStandardStreams(int fd);

}  // namespace tropolink
