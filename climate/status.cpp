#include "climate/status.h"

#include <algorithm>

#include "climate/map_error.h"
#include "climate/map_reader.h"
#include "climate/maps_folder.h"
#include "climate/sha256.h"

namespace tropolink::climate {

MapStatus mapStatus(const std::filesystem::path& folder, MapKind kind) {
    MapStatus status;
    status.kind = kind;
    const auto file = mapFilePath(folder, kind);
    if (!file) {
        status.problem = "no " + std::string(mapFormat(kind).fileName) + " in " + folder.string();
        return status;
    }
    status.present = true;
    status.path = *file;
    const auto bytes = readFileBytes(*file);
    if (!bytes) {
        status.problem = file->string() + ": cannot be read";
        return status;
    }
    const std::string& text = *bytes;
    status.sizeBytes = text.size();
    status.sha256 = sha256Hex(text);
    try {
        const Grid grid = readMap(kind, text, file->string());
        status.rows = grid.rows;
        status.columns = grid.columns;
        const auto [min, max] = std::minmax_element(grid.values.begin(), grid.values.end());
        status.minValue = *min;
        status.maxValue = *max;
        status.valid = true;
    } catch (const MapError& e) {
        status.problem = e.what();
    }
    return status;
}

std::vector<MapStatus> mapsStatus(const std::filesystem::path& folder, MapSetId set) {
    std::vector<MapStatus> all;
    for (const MapKind kind : mapSetInfo(set).kinds) all.push_back(mapStatus(folder, kind));
    return all;
}

}  // namespace tropolink::climate
