#include "terrain/site.h"

#include <charconv>
#include <cstddef>
#include <cstdio>
#include <string>

#include "terrain/terrain_error.h"

namespace tropolink::terrain {
namespace {

constexpr std::size_t kMaxQuotedChars = 60;
constexpr std::string_view kAllowed =
    "(allowed: LAT,LON in decimal degrees, latitude -90 to 90, longitude -180 to 180)";

bool isBlank(char c) { return c == ' ' || c == '\t'; }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

std::string_view trimBlanks(std::string_view text) {
    while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
    return text;
}

// [+-]digits[.digits], whole text; from_chars alone would take "1e5" and "inf".
bool isPlainDecimal(std::string_view text) {
    std::size_t i = 0;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    const std::size_t intStart = i;
    while (i < text.size() && isDigit(text[i])) ++i;
    if (i == intStart) return false;
    if (i < text.size() && text[i] == '.') {
        const std::size_t fracStart = ++i;
        while (i < text.size() && isDigit(text[i])) ++i;
        if (i == fracStart) return false;
    }
    return i == text.size();
}

bool parseDegrees(std::string_view text, double& value) {
    text = trimBlanks(text);
    if (!isPlainDecimal(text)) return false;
    // from_chars takes no leading '+'.
    if (text.front() == '+') text.remove_prefix(1);
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    return ec == std::errc{} && end == text.data() + text.size();
}

[[noreturn]] void refuse(std::string_view optionName, std::string_view text, std::string_view problem) {
    std::string message;
    if (!optionName.empty()) message.append(optionName).append(" ");
    message.append(quoteInput(text)).append(": ").append(problem).append(" ").append(kAllowed);
    throw TerrainError(message);
}

}  // namespace

std::string quoteInput(std::string_view text) {
    std::string out;
    std::size_t used = 0;
    for (; used < text.size(); ++used) {
        const auto byte = static_cast<unsigned char>(text[used]);
        char piece[5] = {text[used], '\0'};
        if (byte < 0x20 || byte >= 0x7f) std::snprintf(piece, sizeof piece, "\\x%02X", static_cast<unsigned>(byte));
        if (out.size() + std::string_view(piece).size() > kMaxQuotedChars) break;
        out.append(piece);
    }
    if (used < text.size()) out.append("...");
    if (out.empty()) out = "\"\"";
    return out;
}

Site parseSite(std::string_view text, std::string_view optionName) {
    const auto comma = text.find(',');
    if (comma == std::string_view::npos || text.find(',', comma + 1) != std::string_view::npos)
        refuse(optionName, text, "not a position");
    Site site;
    if (!parseDegrees(text.substr(0, comma), site.latDeg))
        refuse(optionName, text, "latitude is not a plain decimal number");
    if (!parseDegrees(text.substr(comma + 1), site.lonDeg))
        refuse(optionName, text, "longitude is not a plain decimal number");
    if (site.latDeg < -kMaxLatitudeDeg || site.latDeg > kMaxLatitudeDeg)
        refuse(optionName, text, "latitude out of range");
    if (site.lonDeg < -kMaxLongitudeDeg || site.lonDeg > kMaxLongitudeDeg)
        refuse(optionName, text, "longitude out of range");
    // "-0" is the same place as "0"; keep one spelling of it.
    site.latDeg += 0.0;
    site.lonDeg += 0.0;
    return site;
}

}  // namespace tropolink::terrain
