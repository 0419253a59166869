#include "plan_report/html_escape.h"

namespace tropolink {

void appendHtmlEscaped(std::string& out, std::string_view text) {
    for (const char c : text) {
        switch (c) {
            case '&': out += "&amp;"; break;
            case '<': out += "&lt;"; break;
            case '>': out += "&gt;"; break;
            case '"': out += "&quot;"; break;
            case '\'': out += "&#39;"; break;
            case '\t':
            case '\n':
            case '\r': out += c; break;
            default:
                if (static_cast<unsigned char>(c) < 0x20 || c == '\x7f')
                    out += "\xEF\xBF\xBD";
                else
                    out += c;
        }
    }
}

}  // namespace tropolink
