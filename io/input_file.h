#pragma once

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

// Checks on a path before anything opens it: reading a FIFO or a device
// blocks or never ends, and a NUL byte would silently cut the name short.
namespace tropolink {

enum class FileKind { Regular, Folder, Missing, Fifo, CharacterDevice, BlockDevice, Socket, Other, BadName };

// What is at `path`, following symbolic links, found without opening it.
// BadName for an empty path or one holding a NUL byte.
FileKind fileKind(std::string_view path);

// Why `path` is not a regular file to read ("a FIFO", "a folder", "no such
// file", ...), or nothing when it is one.
std::optional<std::string> whyNotRegularFile(std::string_view path);

// The path as a message shows it: control and bidirectional characters
// escaped as terminalText escapes them, so that the message stays one line.
std::string printablePath(std::string_view path);

// A whole file that could not be read: what() is the reason alone ("a FIFO",
// "larger than 4 MiB", "Permission denied"), for the caller to name the file.
class InputFileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The bytes of the regular file at `path`, refused before opening when it is
// anything else, and refused once more than `maxBytes` have been read, so
// that a huge or endless file never fills memory. Throws InputFileError.
std::string readWholeFile(std::string_view path, std::uint64_t maxBytes);

// A size as messages give it: in MiB when whole, else in bytes.
std::string byteSizeText(std::uint64_t bytes);

}  // namespace tropolink
