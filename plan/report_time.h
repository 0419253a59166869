#pragma once

#include <string>

namespace tropolink {

// The time a report is made, "2026-12-09 14:03 UTC": now, or the time that
// SOURCE_DATE_EPOCH gives, so that a report can be made again byte for byte.
std::string reportTime();

}  // namespace tropolink
