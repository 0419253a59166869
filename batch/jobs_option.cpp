#include "batch/jobs_option.h"

#include <charconv>
#include <string>

#include "batch/ordered_workers.h"
#include "link/input_error.h"

namespace tropolink {

int parseJobs(std::string_view text) {
    static const std::string allowed = "1 to " + std::to_string(kMaxJobs) + " workers";
    const std::string input = "--jobs=" + std::string(text);
    int jobs = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), jobs);
    if (text.empty() || error == std::errc::invalid_argument || end != text.data() + text.size())
        throw InputError(input, "not a whole number", allowed);
    if (error == std::errc::result_out_of_range || jobs < 1 || jobs > kMaxJobs)
        throw InputError(input, "out of range", allowed);
    return jobs;
}

int jobsOrDefault(const std::optional<std::string>& text) { return text ? parseJobs(*text) : onlineProcessors(); }

}  // namespace tropolink
