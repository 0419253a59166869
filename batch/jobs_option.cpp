#include "batch/jobs_option.h"

#include "batch/ordered_workers.h"
#include "grammar/option_ranges.h"

namespace tropolink {

int parseJobs(std::string_view text) { return static_cast<int>(readNumberOption(kJobsOption, text)); }

int jobsOrDefault(const std::optional<std::string>& text) { return text ? parseJobs(*text) : onlineProcessors(); }

}  // namespace tropolink
