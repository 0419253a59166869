#include "report/availability_cells.h"

#include <array>
#include <charconv>
#include <cmath>

#include "grammar/number_text.h"

namespace tropolink {
namespace {

constexpr double kScientificFrom = 1e6;
constexpr int kFigureDecimals = 3;

}  // namespace

std::string figureText(double value) {
    std::string text;
    if (std::abs(value) < kScientificFrom || !std::isfinite(value)) {
        appendFixed(text, value, kFigureDecimals);
        return text;
    }
    std::array<char, 32> buffer{};
    const auto end = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value, std::chars_format::scientific,
                                   kFigureDecimals)
                         .ptr;
    return {buffer.data(), end};
}

void padLeft(std::string& out, std::string_view text, std::size_t width) {
    if (text.size() < width) out.append(width - text.size(), ' ');
    out += text;
}

void padRight(std::string& out, std::string_view text, std::size_t width) {
    out += text;
    out.append(text.size() < width ? width - text.size() : 1, ' ');
}

}  // namespace tropolink
