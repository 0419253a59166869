#pragma once

#include <array>
#include <string_view>

namespace tropolink::climate {

enum class MapKind { N0, DeltaN, Zone };

inline constexpr std::array kMapKinds{MapKind::N0, MapKind::DeltaN, MapKind::Zone};

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

inline constexpr MapFormat kN0Format{"N050.TXT", 121, 241, 250, 450, false, "N0 from 250 to 450 N-units",
                                     "ITU-R P.1812 or P.452"};
inline constexpr MapFormat kDeltaNFormat{"DN50.TXT", 121, 241, 0, 150, false, "ΔN from 0 to 150 N-units/km",
                                         "ITU-R P.1812 or P.452"};
inline constexpr MapFormat kZoneFormat{"TropoClim.txt", 360, 720, 0, 6, true, "zone codes 0 to 6, whole numbers",
                                       "ITU-R P.2001"};

constexpr const MapFormat& mapFormat(MapKind kind) {
    switch (kind) {
        case MapKind::N0:
            return kN0Format;
        case MapKind::DeltaN:
            return kDeltaNFormat;
        case MapKind::Zone:
            break;
    }
    return kZoneFormat;
}

}  // namespace tropolink::climate
