#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "grammar/settings.h"
#include "link/availability_options.h"

namespace tropolink {

// What to sweep, as written: each text is validated by planSweep.
struct SweepArguments {
    std::string range;                     // NAME=FROM:TO[:STEP]
    std::vector<std::string> assignments;  // NAME=VALUE for the other sliders
    int powerOptionCount = 0;              // how often power/1000 was asked for
    std::vector<std::string> percents;     // of the year, for the ITU-R methods
    // --delta-n, --ground-height-km, --climate-zone, --required-snr as
    // availability takes them (its percents unused); each needs --percent.
    AvailabilityArguments methodOptions;
    int logXCount = 0;  // how often --log-x was given
};

// Each percentage adds six columns and two curves to every grid point.
inline constexpr std::size_t kMaxSweepPercents = 64;

// A validated sweep: slider positions from `from` to at most `to`, `step` apart.
struct SweepPlan {
    SettingName name;  // the swept slider, as named on the command line
    int from = 0;
    int to = 0;
    int step = 1;
    Settings base;                 // the start positions with the --set values
    std::vector<double> percents;  // of the year, for the two ITU-R methods
    AvailabilityOptions methodOptions;  // its percents are `percents`
    bool logX = false;                  // the picture's x axis logarithmic

    int pointCount() const { return (to - from) / step + 1; }
    int position(int point) const { return from + point * step; }
    // The settings of one grid point.
    Settings settingsAt(int point) const;
};

// Throws InputError naming the refused argument and what is allowed.
SweepPlan planSweep(const SweepArguments& request);

}  // namespace tropolink
