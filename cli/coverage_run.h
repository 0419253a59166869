#pragma once

#include <optional>
#include <string>
#include <vector>

#include "cli/run_result.h"
#include "io/output.h"

namespace tropolink::cli {

// `coverage`'s options as given; runCoverageCommand reads and checks them.
struct CoverageCommandRequest {
    std::optional<std::string> site;
    std::optional<std::string> radiusKm;
    std::optional<std::string> cellM;
    std::vector<std::string> dems;
    std::optional<std::string> frequencyMhz;
    std::vector<std::string> percents;
    std::optional<std::string> mast1M;
    std::optional<std::string> mast2M;
    std::optional<std::string> gain1Dbi;
    std::optional<std::string> gain2Dbi;
    std::optional<std::string> polarisation;
    std::optional<std::string> method;
    std::optional<std::string> sector;
    std::optional<std::string> maps;
    std::optional<std::string> stepM;
    int seaWhereMissingCount = 0;
    int fillVoidsCount = 0;
    std::optional<std::string> out;
    std::optional<std::string> png;
    std::optional<std::string> kmz;
    std::optional<std::string> jobs;
    std::optional<std::string> plan;
};

// Exit status 130 after Ctrl-C, with no file written.
inline constexpr int kExitInterrupted = 130;

// Refuses bad input in one line before any work (exit status 2), then
// computes the map with progress on a terminal, writes the files whole and
// prints the summary's lines.
RunResult runCoverageCommand(const CoverageCommandRequest& request, Output& out);

}  // namespace tropolink::cli
