#pragma once

#include <string>

#include "batch/run_result.h"

namespace tropolink {

// Writes `text` to the file at `path`, replacing what was there; a failure
// to open, write or close is exit status 1 with the file's name.
RunResult writeFile(const std::string& path, const std::string& text);

}  // namespace tropolink
