#pragma once

#include <optional>
#include <string_view>

#include "grammar/blank.h"
#include "grammar/settings.h"

namespace tropolink {

// A line that is blank or whose first non-blank byte is '#' asks for nothing.
bool asksForNothing(std::optional<char> firstNonBlankByte);

// The settings of one batch line: NAME=VALUE words and at most one
// power-div-1000, in any order, from the start positions. Throws InputError.
Settings parseBatchLine(std::string_view line);

}  // namespace tropolink
