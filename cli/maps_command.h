#pragma once

#include <CLI/CLI.hpp>
#include <string_view>

#include "cli/maps_run.h"

namespace tropolink::cli {

// The `maps` subcommand and its own subcommands import, download, status
// and at, filling `request` as they are parsed.
CLI::App* addMapsCommand(CLI::App& app, MapsRequest& request);

// What `maps` (or the one of its subcommands that was given) accepts, for
// the message about a refused command line.
std::string_view mapsAllowedArguments(const CLI::App& maps);

}  // namespace tropolink::cli
