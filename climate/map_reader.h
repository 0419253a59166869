#pragma once

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

// The bytes of a file; none when it cannot be read.
std::optional<std::string> readFileBytes(const std::filesystem::path& file);

// Reads and checks a map file. Throws MapError naming the file, also when it
// cannot be read.
Grid readMapFile(MapKind kind, const std::filesystem::path& file);

}  // namespace tropolink::climate
