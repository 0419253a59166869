#include "link/p2001_maps.h"

#include <stdexcept>
#include <string>
#include <utility>

namespace tropolink {

climate::MapKind p2001MapKind(p2001::MapFile file) {
    using climate::MapKind;
    using p2001::MapFile;
    switch (file) {
        case MapFile::DnMedian:
            return MapKind::DnMedian;
        case MapFile::DnSupSlope:
            return MapKind::DnSupSlope;
        case MapFile::DnSubSlope:
            return MapKind::DnSubSlope;
        case MapFile::Dndz01:
            return MapKind::Dndz01;
        case MapFile::SurfaceWaterVapour:
            return MapKind::SurfaceWaterVapour;
        case MapFile::ZeroDegreeHeight:
            return MapKind::ZeroDegreeHeight;
        case MapFile::RainPr6:
            return MapKind::RainPr6;
        case MapFile::RainMt:
            return MapKind::RainMt;
        case MapFile::RainBeta:
            return MapKind::RainBeta;
        case MapFile::FoEs01:
            return MapKind::FoEs0p1;
        case MapFile::FoEs1:
            return MapKind::FoEs1;
        case MapFile::FoEs10:
            return MapKind::FoEs10;
        case MapFile::FoEs50:
            return MapKind::FoEs50;
        case MapFile::TropoClim:
            break;
    }
    return MapKind::Zone;
}

p2001::MapReader p2001MapReader(std::shared_ptr<const climate::MapSet> maps) {
    if (!maps) throw std::invalid_argument("no maps for the P.2001 method");
    for (const climate::MapKind kind : climate::kP2001AllMaps)
        if (!maps->holds(kind))
            throw std::invalid_argument("the maps in " + maps->folder().string() + " lack " +
                                        std::string(climate::mapFormat(kind).fileName));
    return [maps = std::move(maps)](p2001::MapFile file, p2001::GeoPoint at) {
        return maps->at(p2001MapKind(file), {at.latDeg, at.lonDeg});
    };
}

}  // namespace tropolink
