#pragma once

#include <string>
#include <vector>

#include "cli/settings.h"

namespace tropolink::cli {

// The arguments of `tropolink-cli sweep`.
struct SweepRequest {
    std::string range;                     // NAME=FROM:TO[:STEP]
    std::vector<std::string> assignments;  // the --set arguments
    int powerOptionCount = 0;              // how often --power-div-1000 was given
    std::string csvPath;                   // empty: no CSV file
    std::string svgPath;                   // empty: no SVG file
    std::vector<std::string> percents;     // the --percent arguments
};

// A validated sweep: slider positions from `from` to at most `to`, `step` apart.
struct SweepPlan {
    SettingName name;  // the swept slider, as named on the command line
    int from = 0;
    int to = 0;
    int step = 1;
    Settings base;                 // the start positions with the --set values
    std::vector<double> percents;  // of the year, for the two ITU-R methods

    int pointCount() const { return (to - from) / step + 1; }
    int position(int point) const { return from + point * step; }
    // The settings of one grid point.
    Settings settingsAt(int point) const;
};

// Throws InputError naming the refused argument and what is allowed.
SweepPlan planSweep(const SweepRequest& request);

}  // namespace tropolink::cli
