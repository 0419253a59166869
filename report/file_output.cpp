#include "report/file_output.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

#include "link/input_error.h"
#include "batch/output.h"

namespace tropolink {

RunResult writeFile(const std::string& path, const std::string& text) {
    const std::string shownPath = quoteInput(path);
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0) {
        const int openError = errno;
        return {kExitIoError, ioFailure("open " + shownPath, openError)};
    }
    Output file(fd);
    file.buffer() += text;
    const bool written = file.flush();
    // A full disk may only show when the file is closed.
    const int closeError = ::close(fd) == 0 ? 0 : errno;
    if (!written) return {kExitIoError, ioFailure("write " + shownPath, file.errorNumber())};
    if (closeError != 0) return {kExitIoError, ioFailure("write " + shownPath, closeError)};
    return {};
}

}  // namespace tropolink
