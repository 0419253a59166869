#pragma once

#include <filesystem>
#include <functional>
#include <span>
#include <string>
#include <string_view>

#include "climate/map_format.h"

// Stand-ins for the ITU's maps, which may not be redistributed: the same text
// form and grids, with made-up values. Tests, benchmarks and the examples of
// the documentation all take theirs from here. Nothing here reads a map.
namespace tropolink::climate {

// A plausible value from the middle of each map's range. N0 310, ΔN 40 (in
// DN50 and DN_Median alike) and zone 6 (maritime temperate, over land) are
// the tool's defaults, so that plans on these maps give the figures they give
// without maps.
double syntheticValue(MapKind kind);

// A grid of `rows` by `columns` values in the maps' text form, `value` taking
// (row, column) from 0.
std::string gridText(int rows, int columns, const std::function<double(int, int)>& value,
                     std::string_view lineEnd = "\n");

// A map of `kind` whose value at (row, column) is `value`.
std::string mapText(MapKind kind, const std::function<double(int, int)>& value);

// A map of `kind` at `value` everywhere; without one, at its synthetic value.
std::string constantMapText(MapKind kind, double value);
std::string constantMapText(MapKind kind);

// A map that varies over the middle of its range with six decimals and CRLF
// line ends, as the real ones do, so that reading it costs what theirs does.
std::string variedMapText(MapKind kind);

enum class SyntheticFill { Constant, Varied };
// What to do with a file of a map's name already in the folder. Only a
// caller that made the folder itself may replace: the file may be the ITU's.
enum class ExistingMaps { Refuse, Replace };

// Each of `kinds` under its usual name in `folder` (made when absent), each
// file written whole under a temporary name first. With ExistingMaps::Refuse
// throws std::filesystem::filesystem_error, and writes nothing, when `folder`
// already holds a file of one of those names.
void writeSyntheticMaps(const std::filesystem::path& folder, std::span<const MapKind> kinds,
                        SyntheticFill fill = SyntheticFill::Constant, ExistingMaps existing = ExistingMaps::Refuse);

}  // namespace tropolink::climate
