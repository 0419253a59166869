#pragma once

#include <string>
#include <string_view>

namespace tropolink::climate {

// The SHA-256 digest of `bytes`, as 64 lower-case hex digits.
std::string sha256Hex(std::string_view bytes);

}  // namespace tropolink::climate
