#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "cli/run_result.h"
#include "io/output.h"

namespace tropolink::cli {

enum class MapsAction { Import, Download, Status, At };

// The arguments of `tropolink-cli maps`.
struct MapsRequest {
    MapsAction action = MapsAction::Status;
    std::vector<std::string> mapsFolder;  // --maps DIR: none, or the one given
    std::vector<std::string> files;       // import
    std::vector<std::string> urls;        // download --url: replace the ITU's addresses
    std::string point;                    // at: LAT,LON
    bool json = false;                    // status, at
};

// Exit statuses: 0 done; 1 a download failed (network, server, temporary
// file) or standard output failed; 2 a refused input: a map, a file or ZIP
// without the maps, a maps folder that cannot be written, coordinates, or
// maps missing for `at`. A failure writes nothing to `out`.
RunResult runMaps(const MapsRequest& request, Output& out);

// The progress line of one download as a terminal shows it, without the
// carriage return that rewrites it: the address, then bytes received of the total.
std::string downloadProgressLine(std::string_view url, std::int64_t receivedBytes, std::int64_t totalBytes);

}  // namespace tropolink::cli
