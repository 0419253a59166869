#pragma once

#include <optional>
#include <string>
#include <vector>

#include "cli/profile_sites.h"
#include "cli/run_result.h"
#include "io/output.h"
#include "link/p2001_all.h"

namespace tropolink::cli {

struct P2001AllRequest {
    std::optional<std::string> file;  // the profile, CSV or the ITU's layout; none with --dem
    SiteArguments sites;              // --from, --to, --dem and its options, --maps
    std::vector<std::string> frequencies;
    std::vector<std::string> percents;
    std::string mast1 = "10";
    std::string mast2 = "10";
    std::string gain1 = "0";
    std::string gain2 = "0";
    std::string polarisation = "vertical";
    int jsonCount = 0;
    int csvCount = 0;
};

// Where the map values come from: the 14 maps, read through `read`, or
// values given whole (tests).
struct P2001AllMaps {
    P2001MapValueReader read;
    std::string source;  // the maps' folder
};

// The 14 maps from --maps DIR or the usual places. Exit status 2, with one
// line naming the missing files and how to install them, without them.
RunResult loadP2001AllMaps(const std::optional<std::string>& mapsOption, P2001AllMaps& maps);

// Reads the options and the ground, runs the complete P.2001 at every
// frequency and percentage, and prints the text, --json or --csv. A refused
// input writes nothing and gives exit status 2.
RunResult runP2001All(const P2001AllRequest& request, Output& out);

}  // namespace tropolink::cli
