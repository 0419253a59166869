#pragma once

#include <optional>
#include <string>
#include <string_view>

// Checks on a path before anything opens it: reading a FIFO or a device
// blocks or never ends, and a NUL byte would silently cut the name short.
namespace tropolink::terrain {

enum class FileKind { Regular, Folder, Missing, Fifo, CharacterDevice, BlockDevice, Socket, Other, BadName };

// What is at `path`, following symbolic links, found without opening it.
// BadName for an empty path or one holding a NUL byte.
FileKind fileKind(std::string_view path);

// Why `path` is not a regular file to read ("a FIFO", "a folder", "no such
// file", ...), or nothing when it is one.
std::optional<std::string> whyNotRegularFile(std::string_view path);

// The path as a message shows it: control characters escaped (\n, \r, \t,
// \xNN), everything else as is, so that the message stays one line.
std::string printablePath(std::string_view path);

}  // namespace tropolink::terrain
