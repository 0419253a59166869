#include "terrain/input_file.h"

#include <sys/stat.h>

#include <cstdio>
#include <string>

namespace tropolink::terrain {

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

std::string printablePath(std::string_view path) {
    std::string shown;
    shown.reserve(path.size());
    for (const char c : path) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '\n') {
            shown += "\\n";
        } else if (c == '\r') {
            shown += "\\r";
        } else if (c == '\t') {
            shown += "\\t";
        } else if (byte < 0x20 || byte == 0x7f) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\x%02X", byte);
            shown += escaped;
        } else {
            shown += c;
        }
    }
    return shown;
}

}  // namespace tropolink::terrain
