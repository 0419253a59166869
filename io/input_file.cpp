#include "io/input_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

#include "grammar/terminal_text.h"
#include "io/descriptor.h"

namespace tropolink {

FileKind fileKind(std::string_view path) {
    if (path.empty() || path.find('\0') != std::string_view::npos) return FileKind::BadName;
    struct stat status {};
    if (stat(std::string(path).c_str(), &status) != 0) return FileKind::Missing;
    if (S_ISREG(status.st_mode)) return FileKind::Regular;
    if (S_ISDIR(status.st_mode)) return FileKind::Folder;
    if (S_ISFIFO(status.st_mode)) return FileKind::Fifo;
    if (S_ISCHR(status.st_mode)) return FileKind::CharacterDevice;
    if (S_ISBLK(status.st_mode)) return FileKind::BlockDevice;
    if (S_ISSOCK(status.st_mode)) return FileKind::Socket;
    return FileKind::Other;
}

std::optional<std::string> whyNotRegularFile(std::string_view path) {
    switch (fileKind(path)) {
        case FileKind::Regular: return std::nullopt;
        case FileKind::Folder: return "a folder";
        case FileKind::Missing: return "no such file";
        case FileKind::Fifo: return "a FIFO";
        case FileKind::CharacterDevice: return "a character device";
        case FileKind::BlockDevice: return "a block device";
        case FileKind::Socket: return "a socket";
        case FileKind::Other: return "not a regular file";
        case FileKind::BadName: return path.empty() ? "an empty path" : "a path holding a NUL byte";
    }
    return "not a regular file";
}

std::string printablePath(std::string_view path) { return terminalText(path); }

std::string byteSizeText(std::uint64_t bytes) {
    constexpr std::uint64_t kMiB = 1u << 20;
    return bytes % kMiB == 0 ? std::to_string(bytes / kMiB) + " MiB" : std::to_string(bytes) + " bytes";
}

std::string readWholeFile(std::string_view path, std::uint64_t maxBytes) {
    if (const auto why = whyNotRegularFile(path)) throw InputFileError(*why);
    // Non-blocking, so that a FIFO put in its place since cannot hang the open.
    const Descriptor file(aboveStandardStreams(::open(std::string(path).c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK)));
    if (file.get() < 0) throw InputFileError(std::strerror(errno));
    struct stat status {};
    if (fstat(file.get(), &status) != 0 || !S_ISREG(status.st_mode)) throw InputFileError("not a regular file");
    std::string bytes;
    char chunk[65536];
    for (;;) {
        const ssize_t n = ::read(file.get(), chunk, sizeof chunk);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) throw InputFileError(std::strerror(errno));
        if (n == 0) break;
        if (bytes.size() + static_cast<std::size_t>(n) > maxBytes)
            throw InputFileError("larger than " + byteSizeText(maxBytes));
        bytes.append(chunk, static_cast<std::size_t>(n));
    }
    return bytes;
}

}  // namespace tropolink
