#include "climate/map_set.h"

#include <stdexcept>
#include <string>
#include <utility>

#include "climate/lookup.h"
#include "climate/map_error.h"
#include "climate/map_reader.h"
#include "climate/maps_folder.h"

namespace tropolink::climate {

MapSet::MapSet(MapSetId id, std::filesystem::path folder, std::vector<Map> maps)
    : id_(id), folder_(std::move(folder)), maps_(std::move(maps)) {
    index_.fill(-1);
    for (std::size_t i = 0; i < maps_.size(); ++i) index_[static_cast<std::size_t>(maps_[i].kind)] = static_cast<int>(i);
}

bool MapSet::holds(MapKind kind) const { return index_[static_cast<std::size_t>(kind)] >= 0; }

const MapSet::Map& MapSet::map(MapKind kind) const {
    if (!holds(kind)) throw std::out_of_range("no " + std::string(mapFormat(kind).fileName) + " in this set of maps");
    return maps_[static_cast<std::size_t>(index_[static_cast<std::size_t>(kind)])];
}

const std::filesystem::path& MapSet::file(MapKind kind) const { return map(kind).file; }

const Grid& MapSet::grid(MapKind kind) const { return map(kind).grid; }

double MapSet::at(MapKind kind, GeoPoint point) const { return lookupGrid(grid(kind), mapInfo(kind).grid, point); }

MapSet readMapSet(MapSetId id, const std::filesystem::path& folder) {
    std::vector<MapSet::Map> maps;
    for (const MapKind kind : mapSetInfo(id).kinds) {
        const auto file = mapFilePath(folder, kind);
        if (!file) throw InstallError(folder.string() + ": no " + std::string(mapFormat(kind).fileName));
        maps.push_back({kind, *file, readMapFile(kind, *file)});
    }
    return MapSet(id, folder, std::move(maps));
}

}  // namespace tropolink::climate
