#include "cli/maps_status.h"

#include <nlohmann/json.hpp>

#include "climate/maps_folder.h"
#include "climate/maps_service.h"
#include "grammar/number_text.h"
#include "io/input_file.h"

namespace tropolink::cli {
namespace {

namespace fs = std::filesystem;
using climate::MapStatus;

std::string folderList(const std::vector<fs::path>& folders) {
    std::string list;
    for (const fs::path& folder : folders) list += (list.empty() ? "" : ", ") + printablePath(folder.string());
    return list;
}

bool holdsAnyMap(const fs::path& folder) {
    for (const climate::MapKind kind : climate::kMapKinds)
        if (climate::mapFilePath(folder, kind)) return true;
    return false;
}

// Whether the folder holds every map of the set, each valid.
bool setReady(const MapsReport& report, climate::MapSetId set) {
    if (report.maps.empty()) return false;
    for (const climate::MapKind kind : climate::mapSetInfo(set).kinds)
        if (!report.maps[static_cast<std::size_t>(kind)].valid) return false;
    return true;
}

void appendMapText(std::string& out, const MapStatus& map) {
    out += climate::mapFormat(map.kind).fileName;
    if (!map.present) {
        out += ": missing\n";
        return;
    }
    out += map.valid ? ": valid\n" : ": refused: " + map.problem + "\n";
    out += "  path: " + printablePath(map.path.string()) + "\n";
    if (map.sha256.empty()) return;  // unreadable: the problem says so
    out += "  size: " + std::to_string(map.sizeBytes) + " bytes\n";
    out += "  sha256: " + map.sha256 + "\n";
    if (!map.valid) return;
    out += "  grid: " + std::to_string(map.rows) + " rows, " + std::to_string(map.columns) + " columns\n";
    out += "  values: ";
    appendShortest(out, map.minValue);
    out += " to ";
    appendShortest(out, map.maxValue);
    out += '\n';
}

}  // namespace

MapsReport mapsReport(const std::vector<fs::path>& candidates) {
    MapsReport report{candidates, climate::findMapsFolder(candidates), {}};
    for (std::size_t i = 0; !report.folder && i < candidates.size(); ++i)
        if (holdsAnyMap(candidates[i])) report.folder = candidates[i];
    if (report.folder)
        for (const climate::MapKind kind : climate::kMapKinds) report.maps.push_back(climate::mapStatus(*report.folder, kind));
    return report;
}

void appendMapsReportText(std::string& out, const MapsReport& report) {
    out += "looked in: " + folderList(report.lookedIn) + "\n";
    if (!report.folder) {
        out += "no maps found: none of the ITU-R maps in these folders; ";
        out += std::string(climate::kMapsInstallHint) + "\n";
        return;
    }
    out += "maps folder: " + printablePath(report.folder->string()) + "\n";
    for (const MapStatus& map : report.maps) appendMapText(out, map);
    if (!setReady(report, climate::MapSetId::Climate))
        out += "not ready: " + std::string(climate::kMapsInstallHint) + "\n";
    if (!setReady(report, climate::MapSetId::P2001All))
        out += "the complete P.2001 method is not ready: " + std::string(climate::kMapsInstallHint) + "\n";
}

void appendMapsReportJson(std::string& out, const MapsReport& report) {
    using Json = nlohmann::ordered_json;
    Json object;
    object["lookedIn"] = Json::array();
    for (const fs::path& folder : report.lookedIn) object["lookedIn"].push_back(folder.string());
    object["folder"] = report.folder ? Json(report.folder->string()) : Json(nullptr);
    object["ready"] = setReady(report, climate::MapSetId::Climate);
    object["p2001AllReady"] = setReady(report, climate::MapSetId::P2001All);
    object["maps"] = Json::array();
    for (const climate::MapKind kind : climate::kMapKinds) {
        MapStatus map;
        map.kind = kind;
        map.problem = "in none of the folders looked in";
        if (report.folder) map = report.maps[static_cast<std::size_t>(kind)];
        const bool read = !map.sha256.empty();
        Json entry;
        entry["file"] = climate::mapFormat(kind).fileName;
        entry["present"] = map.present;
        entry["valid"] = map.valid;
        entry["path"] = map.present ? Json(map.path.string()) : Json(nullptr);
        entry["sizeBytes"] = read ? Json(map.sizeBytes) : Json(nullptr);
        entry["sha256"] = read ? Json(map.sha256) : Json(nullptr);
        entry["rows"] = map.valid ? Json(map.rows) : Json(nullptr);
        entry["columns"] = map.valid ? Json(map.columns) : Json(nullptr);
        entry["minValue"] = map.valid ? Json(map.minValue) : Json(nullptr);
        entry["maxValue"] = map.valid ? Json(map.maxValue) : Json(nullptr);
        entry["problem"] = map.valid ? Json(nullptr) : Json(map.problem);
        object["maps"].push_back(std::move(entry));
    }
    out += object.dump(-1, ' ', false, Json::error_handler_t::replace);
    out += '\n';
}

}  // namespace tropolink::cli
