#pragma once

#include <string>
#include <string_view>

namespace tropolink {

// `text` as HTML text or attribute value: &, <, >, " and ' as references, so
// that no plan text can open a tag, close the style or end an attribute.
// Control characters other than tab, newline and carriage return become U+FFFD.
void appendHtmlEscaped(std::string& out, std::string_view text);

inline std::string htmlEscaped(std::string_view text) {
    std::string out;
    appendHtmlEscaped(out, text);
    return out;
}

}  // namespace tropolink
