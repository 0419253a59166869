#pragma once

#include <optional>
#include <string_view>

#include "plan/plan.h"

namespace tropolink {

// The byte order mark UTF-8 text may start with, which toml++ passes over.
inline constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// toml++ follows a nested key or value by recursion, once per level: a key of
// 40 000 dotted parts overflows the stack. Plans nest three deep at most.
inline constexpr int kMaxTomlDepth = 64;

// Where the text first nests a key or value more than kMaxTomlDepth deep:
// the dotted parts of the table header and of the key, and each array and
// inline table around it, each count one. None when it does not. Strings and
// comments are skipped; the rest need not be valid TOML. Lines and columns
// are counted as toml++ counts them: columns in code points, after a byte
// order mark.
std::optional<PlanPosition> tooDeepAt(std::string_view text);

}  // namespace tropolink
