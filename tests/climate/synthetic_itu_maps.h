#pragma once

#include <filesystem>
#include <functional>
#include <span>
#include <string>

#include "climate/map_format.h"
#include "tests/climate/synthetic_maps.h"

// Every map the tool reads, written in the ITU's text form with constant or
// simple fields: the real ones may not be copied.
namespace tropolink::climate::testing {

// A plausible value from the middle of each map's range: N0 310, ΔN 40 (in
// DN50 and DN_Median alike), zone 6 (maritime temperate, over land).
inline double syntheticValue(MapKind kind) {
    switch (kind) {
        case MapKind::N0:
            return 310;
        case MapKind::DeltaN:
        case MapKind::DnMedian:
            return 40;
        case MapKind::Zone:
            return 6;
        case MapKind::DnSupSlope:
            return 20;
        case MapKind::DnSubSlope:
            return 15;
        case MapKind::Dndz01:
            return -400;
        case MapKind::SurfaceWaterVapour:
            return 10;
        case MapKind::ZeroDegreeHeight:
            return 3;
        case MapKind::RainPr6:
            return 30;
        case MapKind::RainMt:
            return 800;
        case MapKind::RainBeta:
            return 0.3;
        case MapKind::FoEs0p1:
            return 10;
        case MapKind::FoEs1:
            return 7;
        case MapKind::FoEs10:
            return 4.5;
        case MapKind::FoEs50:
            break;
    }
    return 3;
}

// A map of `kind` whose value at (row, column), both from 0, is `value`.
inline std::string mapText(MapKind kind, const std::function<double(int, int)>& value) {
    const MapFormat& f = mapFormat(kind);
    return gridText(f.rows, f.columns, value);
}

inline std::string constantMapText(MapKind kind, double value) {
    return mapText(kind, [value](int, int) { return value; });
}

inline std::string constantMapText(MapKind kind) { return constantMapText(kind, syntheticValue(kind)); }

// Each of `kinds` under its usual name in `folder` (made when absent), at its
// synthetic value.
inline void writeConstantMaps(const std::filesystem::path& folder, std::span<const MapKind> kinds) {
    std::filesystem::create_directories(folder);
    for (const MapKind kind : kinds) writeFile(folder / std::string(mapFormat(kind).fileName), constantMapText(kind));
}

// N050.TXT, DN50.TXT and TropoClim.txt: what plans and the troposcatter methods read.
inline void writeTroposcatterMaps(const std::filesystem::path& folder) { writeConstantMaps(folder, kClimateMaps); }

// The 14 maps of the complete P.2001 method.
inline void writeP2001AllMaps(const std::filesystem::path& folder) { writeConstantMaps(folder, kP2001AllMaps); }

// All 16: both sets.
inline void writeAllMaps(const std::filesystem::path& folder) { writeConstantMaps(folder, kMapKinds); }

}  // namespace tropolink::climate::testing
