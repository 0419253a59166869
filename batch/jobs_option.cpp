#include "batch/jobs_option.h"

#include "link/option_ranges.h"

namespace tropolink {

int parseJobs(std::string_view text) { return static_cast<int>(readNumberOption(kJobsOption, text)); }

}  // namespace tropolink
