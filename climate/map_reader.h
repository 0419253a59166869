#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "climate/grid.h"
#include "climate/map_error.h"
#include "climate/map_format.h"

namespace tropolink::climate {

// Reads a map in the ITU's text form: values separated by blanks, one grid
// row per line; LF or CRLF line ends, blanks at either end of a line and
// blank lines after the last row are accepted. Checks the shape first, then
// every value against `format`. Throws MapError naming `fileName`.
Grid readGrid(std::string_view text, const MapFormat& format, std::string_view fileName);

// The same with the map's own format; `fileName` defaults to its usual name.
Grid readMap(MapKind kind, std::string_view text, std::string_view fileName = {});

// The maps are about 1.3 MB at most; a file far larger is not one, and
// reading it whole would only exhaust memory.
inline constexpr std::uint64_t kMaxMapFileBytes = 16u << 20;

// The bytes of a regular file of at most kMaxMapFileBytes; none otherwise.
std::optional<std::string> readFileBytes(const std::filesystem::path& file);

// Reads and checks a map file. Throws MapError naming the file, also when it
// cannot be read.
Grid readMapFile(MapKind kind, const std::filesystem::path& file);

}  // namespace tropolink::climate
