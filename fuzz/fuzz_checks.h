#pragma once

// What every fuzz target asserts with: a broken rule aborts, so libFuzzer
// keeps the input that broke it.
#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace tropolink::fuzz {

inline void require(bool condition, const char* what) {
    if (condition) return;
    std::fprintf(stderr, "broken: %s\n", what);
    std::abort();
}

// A message the tool prints is one line of printable ASCII.
inline bool isPlainAscii(std::string_view text) {
    for (const char c : text)
        if (c < 0x20 || c > 0x7e) return false;
    return true;
}

}  // namespace tropolink::fuzz
