#pragma once

#include <CLI/CLI.hpp>

#include "cli/coverage_run.h"

namespace tropolink::cli {

// The `coverage` subcommand, filling `request` as it is parsed.
CLI::App* addCoverageCommand(CLI::App& app, CoverageCommandRequest& request);

}  // namespace tropolink::cli
