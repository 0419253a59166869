#pragma once

#include <optional>
#include <string>
#include <vector>

#include "cli/profile_sites.h"
#include "cli/run_result.h"
#include "io/output.h"
#include "link/availability_options.h"

namespace tropolink::cli {

struct ProfileRequest {
    std::optional<std::string> file;  // "-": standard input; none with --dem
    std::string mast1 = "10";  // m above the ground at station 1
    std::string mast2 = "10";
    std::vector<std::string> assignments;  // the --set arguments
    int powerOptionCount = 0;
    int jsonCount = 0;
    std::optional<std::string> svgPath;           // "-": the picture alone on standard output
    int availabilityCount = 0;                    // add the ITU-R methods on the profile's own geometry
    AvailabilityArguments availabilityArguments;  // without a ground height: the profile gives it
    std::optional<std::string> jobs;              // --jobs N: checked, though one pass needs one thread
    SiteArguments sites;                          // --from, --to, --dem and what goes with them
};

// Reads the profile, derives the settings, runs one pass on them as a batch
// line would, and prints the settings line, the horizon table and the boxes
// (or one JSON object). A refused input or profile writes nothing to `out`
// and gives exit status 2. With `availability`, P.617 and P.2001 follow, fed
// the exact horizon angles, antenna heights and path distance of the profile
// and the ground under the crossing of the horizon rays, not the rounded sliders.
RunResult runProfile(const ProfileRequest& request, Output& out);

}  // namespace tropolink::cli
