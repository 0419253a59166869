#pragma once

#include <array>
#include <cstddef>
#include <span>
#include <string_view>

namespace tropolink::climate {

// Every map the tool reads, in the order of kMapTable.
enum class MapKind {
    N0,
    DeltaN,
    Zone,
    // The complete P.2001 method's own maps (with Zone)
    DnMedian,
    DnSupSlope,
    DnSubSlope,
    Dndz01,
    SurfaceWaterVapour,
    ZeroDegreeHeight,
    RainPr6,
    RainMt,
    RainBeta,
    FoEs0p1,  // exceeded 0.1 % of the time
    FoEs1,
    FoEs10,
    FoEs50,
};

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
    std::string_view unit;            // of a value, for showing one; empty for codes and fractions
};

// How a value at a point is had from the grid.
enum class MapLookup {
    // Between the four grid points around it; a western longitude is taken
    // as lon + 360, and a point beyond the last row or column meets the edge.
    // Weighted as (1 − v)·a + v·b, the form N0 and ΔN have always had.
    Bilinear,
    // The same points, but y = a + v·(b − a) along the row, then along the
    // column: the P.2001 method's own order, which its published results
    // follow to the last digit.
    BilinearByDifferences,
    // The grid point nearest to it; on an exact half the smaller index (the
    // more northerly row, the more westerly column). A longitude east of
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

// The range a P.2001 map's values may take: the ITU's own observed minimum
// and maximum, each moved half its own size away from the other (so 24.6 to
// 79.9 allows 12.3 to 119.85, and 0 stays 0). Generous enough for a later
// edition of the maps, yet it keeps every sign: no negative water vapour,
// rain or height, no positive refractivity gradient.
constexpr double widenedBelow(double lo) { return lo - 0.5 * (lo < 0 ? -lo : lo); }
constexpr double widenedAbove(double hi) { return hi + 0.5 * (hi < 0 ? -hi : hi); }

inline constexpr MapGrid kP2001Grid{90, 0, 1.5, MapLookup::BilinearByDifferences};
inline constexpr MapGrid kP2001RainGrid{90, 0, 1.125, MapLookup::BilinearByDifferences};

constexpr MapInfo p2001Map(MapKind kind, std::string_view fileName, bool rainGrid, double observedMin,
                           double observedMax, std::string_view allowed, std::string_view unit) {
    return {kind,
            {fileName, rainGrid ? 161 : 121, rainGrid ? 321 : 241, widenedBelow(observedMin), widenedAbove(observedMax),
             false, allowed, "ITU-R P.2001", unit},
            rainGrid ? kP2001RainGrid : kP2001Grid};
}

inline constexpr std::array kMapTable{
    MapInfo{MapKind::N0,
            {"N050.TXT", 121, 241, 250, 450, false, "N0 from 250 to 450 N-units", "ITU-R P.1812 or P.452", "N-units"},
            {90, 0, 1.5, MapLookup::Bilinear}},
    MapInfo{MapKind::DeltaN,
            {"DN50.TXT", 121, 241, 0, 150, false, "ΔN from 0 to 150 N-units/km", "ITU-R P.1812 or P.452", "N-units/km"},
            {90, 0, 1.5, MapLookup::Bilinear}},
    MapInfo{MapKind::Zone,
            {"TropoClim.txt", 360, 720, 0, 6, true, "zone codes 0 to 6, whole numbers", "ITU-R P.2001", ""},
            {89.75, -179.75, 0.5, MapLookup::Nearest}},
    p2001Map(MapKind::DnMedian, "DN_Median.txt", false, 24.6, 79.9, "median ΔN from 12.3 to 119.85 N-units/km", "N-units/km"),
    p2001Map(MapKind::DnSupSlope, "DN_SupSlope.txt", false, 5.5, 49.2, "slopes from 2.75 to 73.8 N-units/km", "N-units/km"),
    p2001Map(MapKind::DnSubSlope, "DN_SubSlope.txt", false, 2.8, 43.8, "slopes from 1.4 to 65.7 N-units/km", "N-units/km"),
    p2001Map(MapKind::Dndz01, "dndz_01.txt", false, -1795, -58.5, "gradients from -2692.5 to -29.25 N-units/km", "N-units/km"),
    p2001Map(MapKind::SurfaceWaterVapour, "surfwv_50_fixed.txt", false, 0, 23.1,
             "water-vapour densities from 0 to 34.65 g/m³", "g/m³"),
    p2001Map(MapKind::ZeroDegreeHeight, "h0.txt", false, 0.006, 6.28, "heights from 0.003 to 9.42 km", "km"),
    p2001Map(MapKind::RainPr6, "Esarain_Pr6_v5.txt", true, 0, 93.9, "percentages from 0 to 140.85", "%"),
    p2001Map(MapKind::RainMt, "Esarain_Mt_v5.txt", true, 0.02, 6034, "rainfalls from 0.01 to 9051 mm", "mm"),
    p2001Map(MapKind::RainBeta, "Esarain_Beta_v5.txt", true, 0, 0.78, "fractions from 0 to 1.17", ""),
    p2001Map(MapKind::FoEs0p1, "FoEs0.1.txt", false, 6.1, 20.4, "frequencies from 3.05 to 30.6 MHz", "MHz"),
    p2001Map(MapKind::FoEs1, "FoEs01.txt", false, 4.9, 12.8, "frequencies from 2.45 to 19.2 MHz", "MHz"),
    p2001Map(MapKind::FoEs10, "FoEs10.txt", false, 2.9, 7.5, "frequencies from 1.45 to 11.25 MHz", "MHz"),
    p2001Map(MapKind::FoEs50, "FoEs50.txt", false, 1.95, 4.25, "frequencies from 0.975 to 6.375 MHz", "MHz"),
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
    Climate,   // N0, ΔN and the troposcatter climate zones: every path with sites
    P2001All,  // the 14 maps of the complete P.2001 method
};

struct MapSetInfo {
    MapSetId id;
    std::span<const MapKind> kinds;
};

inline constexpr std::array kClimateMaps{MapKind::N0, MapKind::DeltaN, MapKind::Zone};
inline constexpr std::array kP2001AllMaps{
    MapKind::DnMedian, MapKind::DnSupSlope,       MapKind::DnSubSlope, MapKind::Dndz01, MapKind::SurfaceWaterVapour,
    MapKind::ZeroDegreeHeight, MapKind::RainPr6, MapKind::RainMt,     MapKind::RainBeta, MapKind::FoEs0p1,
    MapKind::FoEs1,    MapKind::FoEs10,           MapKind::FoEs50,     MapKind::Zone,
};

inline constexpr std::array kMapSets{
    MapSetInfo{MapSetId::Climate, kClimateMaps},
    MapSetInfo{MapSetId::P2001All, kP2001AllMaps},
};

constexpr const MapSetInfo& mapSetInfo(MapSetId id) { return kMapSets[static_cast<std::size_t>(id)]; }

}  // namespace tropolink::climate
