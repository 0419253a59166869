#include <cmath>

#include "grammar/number_text.h"
#include "plan_report/html_escape.h"
#include "plan_report/report_sections.h"

namespace tropolink {

std::string numberCell(std::optional<double> value, int decimals) {
    if (!value || !std::isfinite(*value)) return "\xE2\x80\x93";
    std::string text = fixedText(*value, decimals);
    if (text.starts_with('-')) text.replace(0, 1, "\xE2\x88\x92");  // a minus sign, not a hyphen
    return text;
}

std::string percentText(double percent) {
    std::string text = fixedText(percent, 6);
    while (text.ends_with('0')) text.pop_back();
    if (text.ends_with('.')) text.pop_back();
    return text;
}

std::string inlineSvg(const std::string& document) {
    const std::size_t at = document.find("<svg");
    return at == std::string::npos ? document : document.substr(at);
}

void appendRow(std::string& out, std::string_view label, std::initializer_list<std::string_view> cells) {
    out += "<tr><th>";
    appendHtmlEscaped(out, label);
    out += "</th>";
    for (const std::string_view cell : cells) {
        out += "<td>";
        out += cell;
        out += "</td>";
    }
    out += "</tr>\n";
}

}  // namespace tropolink
