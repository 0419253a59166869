#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "climate/status.h"

namespace tropolink::cli {

// What `maps status` found: the folders looked in, in order, and the one
// reported (none when none holds any map), with every map of kMapTable.
struct MapsReport {
    std::vector<std::filesystem::path> lookedIn;
    std::optional<std::filesystem::path> folder;
    std::vector<climate::MapStatus> maps;  // in kMapTable's order; empty without a folder
};

// The folder holding the troposcatter methods' three maps, else the first
// holding any map, else none.
MapsReport mapsReport(const std::vector<std::filesystem::path>& candidates);

void appendMapsReportText(std::string& out, const MapsReport& report);
// One JSON object on one line; paths in any bytes (invalid UTF-8 becomes U+FFFD).
void appendMapsReportJson(std::string& out, const MapsReport& report);

}  // namespace tropolink::cli
