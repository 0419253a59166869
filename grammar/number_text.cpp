#include "grammar/number_text.h"

#include <array>
#include <charconv>

namespace tropolink {
namespace {

// Room for any finite double in either form used below.
using NumberBuffer = std::array<char, 352>;

}  // namespace

void appendShortest(std::string& out, double value) {
    NumberBuffer buffer{};
    const auto end = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value).ptr;
    out.append(buffer.data(), end);
}

void appendFixed(std::string& out, double value, int decimals) {
    NumberBuffer buffer{};
    const auto end =
        std::to_chars(buffer.data(), buffer.data() + buffer.size(), value, std::chars_format::fixed, decimals).ptr;
    out.append(buffer.data(), end);
}

}  // namespace tropolink
