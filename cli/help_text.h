#pragma once

#include <string>

namespace tropolink::cli {

// The part of --help after the options: every NAME with its unit, range, step
// and start value, how VALUE is read, the batch format, the --values members
// and the exit statuses.
std::string helpFooter();

}  // namespace tropolink::cli
