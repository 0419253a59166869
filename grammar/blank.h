#pragma once

#include <algorithm>
#include <optional>
#include <string_view>

namespace tropolink {

// Blanks separate the words of a batch line: space, tab, CR (so CRLF line
// endings read like LF), vertical tab and form feed.
constexpr bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f'; }

// The first byte of `text` that is not blank, if any.
inline std::optional<char> firstNonBlank(std::string_view text) {
    const auto it = std::find_if_not(text.begin(), text.end(), [](char c) { return isBlank(c); });
    if (it == text.end()) return std::nullopt;
    return *it;
}

}  // namespace tropolink
