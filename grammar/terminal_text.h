#pragma once

#include <string>
#include <string_view>

namespace tropolink {

// Text from a file (a plan's title, notes and names, a path) as a terminal
// may show it: C0 and C1 control characters and DEL as \n, \r, \t or \xNN,
// and the Unicode marks that reorder text (U+061C, U+200E, U+200F,
// U+202A to U+202E, U+2066 to U+2069) as \uXXXX. Nothing can then move the
// cursor, ring the bell, start a line or reverse what follows; everything
// else, other UTF-8 included, is kept as is.
std::string terminalText(std::string_view text);

}  // namespace tropolink
