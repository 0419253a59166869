#include "grammar/terminal_text.h"


namespace tropolink {
namespace {

// The code point of a bidirectional mark encoded at the start of `s`, or 0.
unsigned bidiMarkAt(std::string_view s) {
    if (s.size() >= 2 && s.substr(0, 2) == "\xD8\x9C") return 0x061C;
    if (s.size() < 3 || static_cast<unsigned char>(s[0]) != 0xE2) return 0;
    const auto b1 = static_cast<unsigned char>(s[1]);
    const auto b2 = static_cast<unsigned char>(s[2]);
    const unsigned codePoint = 0x2000u | ((b1 & 0x3Fu) << 6) | (b2 & 0x3Fu);
    if ((b1 & 0xC0) != 0x80 || (b2 & 0xC0) != 0x80) return 0;
    const bool mark = codePoint == 0x200E || codePoint == 0x200F || (codePoint >= 0x202A && codePoint <= 0x202E) ||
                      (codePoint >= 0x2066 && codePoint <= 0x2069);
    return mark ? codePoint : 0;
}

// \xNN for a byte, \uXXXX for a code point.
void appendHex(std::string& out, char prefix, unsigned value, int digits) {
    static constexpr char kHexDigits[] = "0123456789ABCDEF";
    out += '\\';
    out += prefix;
    for (int shift = 4 * (digits - 1); shift >= 0; shift -= 4) out += kHexDigits[(value >> shift) & 0xFu];
}

}  // namespace

std::string terminalText(std::string_view text) {
    std::string shown;
    shown.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (byte == '\n') {
            shown += "\\n";
        } else if (byte == '\r') {
            shown += "\\r";
        } else if (byte == '\t') {
            shown += "\\t";
        } else if (byte < 0x20 || byte == 0x7F) {
            appendHex(shown, 'x', byte, 2);
        } else if (byte == 0xC2 && i + 1 < text.size() && static_cast<unsigned char>(text[i + 1]) >= 0x80 &&
                   static_cast<unsigned char>(text[i + 1]) <= 0x9F) {  // a C1 control, U+0080 to U+009F
            appendHex(shown, 'u', static_cast<unsigned char>(text[++i]), 4);
        } else if (const unsigned mark = bidiMarkAt(text.substr(i))) {
            appendHex(shown, 'u', mark, 4);
            i += mark == 0x061C ? 1 : 2;
        } else {
            shown += text[i];
        }
    }
    return shown;
}

}  // namespace tropolink
