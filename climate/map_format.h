#pragma once

#include <array>
#include <cstddef>
#include <span>
#include <string_view>

namespace tropolink::climate {

// Every map the tool reads, in the order of kMapTable.
enum class MapKind { N0, DeltaN, Zone };

// The shape and the values a map file must have.
struct MapFormat {
    std::string_view fileName;
    int rows = 0;
    int columns = 0;
    double minValue = 0;
    double maxValue = 0;
    bool wholeNumbers = false;
    std::string_view allowedValues;  // for messages: what a value may be
    std::string_view recommendation;  // whose ZIP holds the file
};

// How a value at a point is had from the grid.
enum class MapLookup {
    // Between the four grid points around it; a western longitude is taken
    // as lon + 360, and a point beyond the last row or column meets the edge.
    Bilinear,
    // The grid point nearest to it, halves rounding up; a longitude east of
    // 180° is taken as lon − 360.
    Nearest,
};

// Where a map's grid lies on the earth: its first row and column, the step
// between rows and columns, and how a point is looked up.
struct MapGrid {
    double firstLatDeg = 0;  // row 0; rows run south
    double firstLonDeg = 0;  // column 0; columns run east
    double stepDeg = 0;
    MapLookup lookup = MapLookup::Bilinear;
};

// One map: its file and values, and where its grid lies. A new map joins by
// a row here and a MapKind of its own.
struct MapInfo {
    MapKind kind;
    MapFormat format;
    MapGrid grid;
};

inline constexpr std::array kMapTable{
    MapInfo{MapKind::N0,
            {"N050.TXT", 121, 241, 250, 450, false, "N0 from 250 to 450 N-units", "ITU-R P.1812 or P.452"},
            {90, 0, 1.5, MapLookup::Bilinear}},
    MapInfo{MapKind::DeltaN,
            {"DN50.TXT", 121, 241, 0, 150, false, "ΔN from 0 to 150 N-units/km", "ITU-R P.1812 or P.452"},
            {90, 0, 1.5, MapLookup::Bilinear}},
    MapInfo{MapKind::Zone,
            {"TropoClim.txt", 360, 720, 0, 6, true, "zone codes 0 to 6, whole numbers", "ITU-R P.2001"},
            {89.75, -179.75, 0.5, MapLookup::Nearest}},
};

// Every map, in the table's order.
inline constexpr auto kMapKinds = [] {
    std::array<MapKind, kMapTable.size()> kinds{};
    for (std::size_t i = 0; i < kinds.size(); ++i) kinds[i] = kMapTable[i].kind;
    return kinds;
}();

constexpr bool mapTableFollowsTheEnum() {
    for (std::size_t i = 0; i < kMapTable.size(); ++i)
        if (static_cast<std::size_t>(kMapTable[i].kind) != i) return false;
    return true;
}
static_assert(mapTableFollowsTheEnum(), "kMapTable: one row per MapKind, in its order");

constexpr const MapInfo& mapInfo(MapKind kind) { return kMapTable[static_cast<std::size_t>(kind)]; }
constexpr const MapFormat& mapFormat(MapKind kind) { return mapInfo(kind).format; }

// The sets of maps a computation asks for together, in the order of kMapSets.
enum class MapSetId {
    Climate,  // N0, ΔN and the troposcatter climate zones: every path with sites
};

struct MapSetInfo {
    MapSetId id;
    std::span<const MapKind> kinds;
};

inline constexpr std::array kClimateMaps{MapKind::N0, MapKind::DeltaN, MapKind::Zone};

inline constexpr std::array kMapSets{
    MapSetInfo{MapSetId::Climate, kClimateMaps},
};

constexpr const MapSetInfo& mapSetInfo(MapSetId id) { return kMapSets[static_cast<std::size_t>(id)]; }

}  // namespace tropolink::climate
