#pragma once

#include <array>
#include <filesystem>
#include <vector>

#include "climate/grid.h"
#include "climate/map_format.h"

namespace tropolink::climate {

// The maps of one set as read and checked from one folder: each map's file
// and grid. Never changed once read, so that every run may share it.
class MapSet {
public:
    struct Map {
        MapKind kind;
        std::filesystem::path file;
        Grid grid;
    };

    MapSet(MapSetId id, std::filesystem::path folder, std::vector<Map> maps);

    MapSetId id() const { return id_; }
    const std::filesystem::path& folder() const { return folder_; }
    bool holds(MapKind kind) const;
    // Throw std::out_of_range for a map the set does not hold.
    const std::filesystem::path& file(MapKind kind) const;
    const Grid& grid(MapKind kind) const;
    // The map's value at `point`, looked up as its row of kMapTable says.
    double at(MapKind kind, GeoPoint point) const;

private:
    const Map& map(MapKind kind) const;

    MapSetId id_;
    std::filesystem::path folder_;
    std::vector<Map> maps_;
    std::array<int, kMapKinds.size()> index_;  // of each kind in maps_, -1 when absent
};

// Reads and checks every map of the set in `folder`. Throws InstallError
// when one is absent, MapError naming the file when one is refused.
MapSet readMapSet(MapSetId id, const std::filesystem::path& folder);

}  // namespace tropolink::climate
