#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

namespace tropolink {

// A refused input. The message is one line of printable ASCII that names the
// input and what is allowed, e.g.
//   frequency-mhz=10: out of range (allowed: 50 to 25000 MHz in steps of 1)
class InputError : public std::runtime_error {
public:
    InputError(std::string_view input, std::string_view problem, std::string_view allowed);
    // For an input of which only the first bytes are at hand.
    InputError(std::string_view inputStart, std::size_t inputBytes, std::string_view problem, std::string_view allowed);
};

// The input as it may be shown in a message: bytes outside printable ASCII and
// the backslash as \xNN escapes, and no more than kShownInputBytes of it;
// `inputBytes` is the length of the whole input when `input` is only its start.
std::string quoteInput(std::string_view input, std::size_t inputBytes);
inline std::string quoteInput(std::string_view input) { return quoteInput(input, input.size()); }

inline constexpr std::size_t kShownInputBytes = 64;

}  // namespace tropolink
