#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tropolink {

inline constexpr int kMaxJobs = 256;

// The value of --jobs: a whole number of workers from 1 to kMaxJobs, read as
// kJobsOption (link/option_ranges.h) says. Throws InputError.
int parseJobs(std::string_view text);

// The value of a --jobs that may be absent: one worker per online processor then.
int jobsOrDefault(const std::optional<std::string>& text);

}  // namespace tropolink
