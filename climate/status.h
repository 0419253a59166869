#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "climate/map_format.h"

namespace tropolink::climate {

// What a maps folder holds of one map, for `maps status` and its JSON form.
struct MapStatus {
    MapKind kind = MapKind::N0;
    bool present = false;
    std::filesystem::path path;  // empty when absent
    std::uintmax_t sizeBytes = 0;
    std::string sha256;  // hex, of the file as it is
    int rows = 0;        // of the grid read, 0 when refused
    int columns = 0;
    double minValue = 0;  // over the grid read
    double maxValue = 0;
    bool valid = false;
    std::string problem;  // why it is absent or refused
};

MapStatus mapStatus(const std::filesystem::path& folder, MapKind kind);

// The maps of the set, in its order.
std::vector<MapStatus> mapsStatus(const std::filesystem::path& folder, MapSetId set = MapSetId::Climate);

}  // namespace tropolink::climate
