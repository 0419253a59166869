#pragma once

#include <optional>
#include <string>

#include "cli/run_result.h"
#include "io/output.h"

namespace tropolink::cli {

struct PlanRequest {
    std::string file;  // the plan; with --new the file to create
    int newCount = 0;  // --new: write the template
    int jsonCount = 0;
    std::optional<std::string> report;  // --report FILE.html
    std::optional<std::string> kml;
    std::optional<std::string> geojson;
    std::optional<std::string> svg;   // the terrain profile picture
    std::optional<std::string> maps;  // --maps DIR
    std::string version;              // the tool's, for the report's header
};

// Reads and checks the plan, runs it and prints the verdict first, then every
// figure (or one JSON object); writes the files asked for whole. A refused
// plan prints one line "FILE:LINE:COLUMN: ..." and writes nothing: exit 2.
RunResult runPlanCommand(const PlanRequest& request, Output& out);

}  // namespace tropolink::cli
