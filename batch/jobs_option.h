#pragma once

#include <string_view>

namespace tropolink {

inline constexpr int kMaxJobs = 256;

// The value of --jobs: a whole number of workers from 1 to kMaxJobs, read as
// kJobsOption (link/option_ranges.h) says. Throws InputError.
int parseJobs(std::string_view text);

}  // namespace tropolink
