#pragma once

#include <string>
#include <vector>

#include "batch/run_result.h"
#include "link/profile_message.h"
#include "profile/profile_csv.h"

namespace tropolink {

// Reads the profile CSV at `path` ("-": standard input) row by row: memory
// holds the points and one line, and reading stops at the first refused row.
// A refused row, or a named file that cannot be read, gives exit status 2
// with one line naming the file; a failed standard input, status 1.
RunResult readProfileFile(const std::string& path, std::vector<profile::ProfilePoint>& points);

}  // namespace tropolink
