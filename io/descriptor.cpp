#include "io/descriptor.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <utility>

namespace tropolink {

Descriptor& Descriptor::operator=(Descriptor&& other) noexcept {
    if (this != &other) {
        reset();
        fd_ = other.release();
    }
    return *this;
}

int Descriptor::release() { return std::exchange(fd_, -1); }

int Descriptor::reset() {
    if (fd_ < 0) return 0;
    return ::close(release()) == 0 ? 0 : errno;
}

int aboveStandardStreams(int fd) {
    constexpr int kFirstFreeFd = 3;
    if (fd < 0 || fd >= kFirstFreeFd) return fd;
    const int moved = ::fcntl(fd, F_DUPFD_CLOEXEC, kFirstFreeFd);
    const int error = errno;
    ::close(fd);
    errno = error;
    return moved;
}

}  // namespace tropolink
