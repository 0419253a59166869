#include "grammar/input_error.h"

#include <array>
#include <utility>

namespace tropolink {
namespace {

bool isShownAsIs(unsigned char c) { return c >= 0x20 && c < 0x7f && c != '\\'; }

std::string composeMessage(std::string quotedInput, std::string_view problem, std::string_view allowed) {
    std::string message = std::move(quotedInput);
    message += ": ";
    message += problem;
    message += " (allowed: ";
    message += allowed;
    message += ')';
    return message;
}

}  // namespace

InputError::InputError(std::string_view input, std::string_view problem, std::string_view allowed)
    : std::runtime_error(composeMessage(quoteInput(input), problem, allowed)) {}

InputError::InputError(std::string_view inputStart, std::size_t inputBytes, std::string_view problem,
                       std::string_view allowed)
    : std::runtime_error(composeMessage(quoteInput(inputStart, inputBytes), problem, allowed)) {}

std::string quoteInput(std::string_view input, std::size_t inputBytes) {
    static constexpr std::array<char, 16> kHexDigits{'0', '1', '2', '3', '4', '5', '6', '7',
                                                     '8', '9', 'A', 'B', 'C', 'D', 'E', 'F'};
    std::string quoted;
    for (const char ch : input.substr(0, kShownInputBytes)) {
        const auto c = static_cast<unsigned char>(ch);
        if (isShownAsIs(c)) {
            quoted += ch;
        } else {
            quoted += "\\x";
            quoted += kHexDigits[c >> 4];
            quoted += kHexDigits[c & 0xF];
        }
    }
    if (inputBytes > kShownInputBytes) quoted += "... (" + std::to_string(inputBytes) + " bytes)";
    return quoted;
}

}  // namespace tropolink
