#pragma once

#include <string>
#include <string_view>

namespace tropolink {

// One line: {"line":N,"error":"..."}. The message may quote user input, so it
// is escaped by nlohmann::json; invalid UTF-8 becomes U+FFFD.
void appendErrorObject(std::string& out, long long lineNumber, std::string_view message);

}  // namespace tropolink
