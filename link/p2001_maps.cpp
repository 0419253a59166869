#include "link/p2001_maps.h"

#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "climate/map_error.h"
#include "climate/maps_folder.h"

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

std::string missingP2001MapsLine(std::span<const std::filesystem::path> folders) {
    std::vector<climate::MapKind> fewest(climate::kP2001AllMaps.begin(), climate::kP2001AllMaps.end());
    std::filesystem::path where = folders.empty() ? std::filesystem::path() : folders.front();
    for (const std::filesystem::path& folder : folders) {
        std::vector<climate::MapKind> missing;
        for (const climate::MapKind kind : climate::kP2001AllMaps)
            if (!climate::mapFilePath(folder, kind)) missing.push_back(kind);
        if (missing.size() < fewest.size()) {
            fewest = std::move(missing);
            where = folder;
        }
    }
    std::string names;
    for (std::size_t i = 0; i < fewest.size(); ++i) {
        if (i > 0) names += i + 1 == fewest.size() ? " and " : ", ";
        names += climate::mapFormat(fewest[i]).fileName;
    }
    return "the complete P.2001 method needs its 14 ITU-R maps; " + where.string() + " lacks " + names +
           "; install them with `tropolink-cli maps import ZIP` from the ZIP of ITU-R P.2001, or "
           "`tropolink-cli maps download`";
}

std::optional<std::string> p2001MapsNote(const std::filesystem::path& mapsFolder) {
    std::size_t lacking = 0;
    for (const climate::MapKind kind : climate::kP2001AllMaps)
        if (!climate::mapFilePath(mapsFolder, kind)) ++lacking;
    if (lacking == 0) return std::nullopt;
    return "the complete P.2001 method needs 14 ITU-R maps, of which " + mapsFolder.string() + " lacks " +
           std::to_string(lacking) + " (install them with: tropolink-cli maps download, or maps import ZIP)";
}

std::shared_ptr<const climate::MapSet> requireP2001Maps(const std::optional<std::filesystem::path>& mapsOption,
                                                       climate::MapsService& maps) {
    const std::vector<std::filesystem::path> folders = climate::candidateMapsFolders(mapsOption);
    if (auto set = maps.find(climate::MapSetId::P2001All, folders)) return set;
    throw climate::InstallError(missingP2001MapsLine(folders));
}

}  // namespace tropolink
