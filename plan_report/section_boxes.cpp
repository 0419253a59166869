// The calculator's 52 boxes, grouped as the window shows them.
#include <array>

#include "link/box_labels.h"
#include "plan_report/html_escape.h"
#include "plan_report/report_sections.h"

namespace tropolink {
namespace {

using enum ResultBox;

const std::string& text(const PlanResult& r, ResultBox box) { return r.boxes[static_cast<std::size_t>(boxNumber(box) - 1)]; }

std::string cell(const PlanResult& r, ResultBox box) { return "<td>" + htmlEscaped(text(r, box)) + "</td>"; }

// "Antenna height, station 1" -> "Antenna height"; "Path loss, YEH" -> "Path loss".
std::string_view caption(ResultBox box) {
    const std::string_view label = boxLabel(box).label;
    return label.substr(0, label.rfind(", "));
}

std::string unitOf(ResultBox box, bool milliwatts) {
    const std::string_view unit = boxLabel(box).unit;
    return milliwatts && unit == "W" ? "mW" : std::string(unit);
}

void appendStations(std::string& out, const PlanResult& r, bool milliwatts) {
    out += "<table class=\"boxes\">\n<caption>Settings</caption>\n<thead><tr><th></th><th>Unit</th><th>Station "
           "1</th><th>Station 2</th></tr></thead>\n<tbody>\n";
    for (int i = 0; i < 10; ++i) {
        const ResultBox s1 = boxFromNumber(boxNumber(Text1) + i);
        const ResultBox s2 = boxFromNumber(boxNumber(Text11) + i);
        out += "<tr><th>" + htmlEscaped(caption(s1)) + "</th><td>" + unitOf(s1, milliwatts) + "</td>" + cell(r, s1) +
               cell(r, s2) + "</tr>\n";
    }
    out += "<tr><th>Rx sensitivity</th><td>dBW</td>" + cell(r, Text24) + cell(r, Text25) + "</tr>\n";
    out += "</tbody>\n</table>\n";
}

void appendSingles(std::string& out, const PlanResult& r, std::string_view title, std::initializer_list<ResultBox> boxes) {
    out += "<table class=\"boxes\">\n<caption>" + std::string(title) + "</caption>\n<tbody>\n";
    for (const ResultBox box : boxes)
        out += "<tr><th>" + htmlEscaped(boxLabel(box).label) + "</th><td>" + unitOf(box, false) + "</td>" + cell(r, box) +
               "</tr>\n";
    out += "</tbody>\n</table>\n";
}

struct GridRow {
    std::array<std::optional<ResultBox>, kMethodCount> boxes;  // YEH, ITT, CCIR, COLLINS, RIDER
};

void appendMethodGrid(std::string& out, const PlanResult& r) {
    const std::array<GridRow, 4> rows{{
        {{Text26, Text27, Text28, Text29, Text46}},
        {{Text30, Text31, Text32, Text33, Text47}},
        {{Text34, Text35, Text36, Text37, Text48}},
        {{Text44, std::nullopt, Text45, std::nullopt, std::nullopt}},
    }};
    out += "<table class=\"boxes grid\">\n<caption>Methods</caption>\n<thead><tr><th></th><th>Unit</th><th>YEH</th>"
           "<th>ITT</th><th>CCIR</th><th>COLLINS</th><th>RIDER</th></tr></thead>\n<tbody>\n";
    for (const GridRow& row : rows) {
        const ResultBox first = *row.boxes[0];
        out += "<tr><th>" + htmlEscaped(caption(first)) + "</th><td>dB</td>";
        for (const std::optional<ResultBox>& box : row.boxes) out += box ? cell(r, *box) : "<td></td>";
        out += "</tr>\n";
    }
    out += "<tr><th>" + htmlEscaped(boxLabel(Text49).label) + "</th><td>dB</td><td colspan=\"5\">" +
           htmlEscaped(text(r, Text49)) + "</td></tr>\n";
    out += "</tbody>\n</table>\n";
}

}  // namespace

void appendBoxesSection(std::string& out, const ReportInput& in) {
    const PlanResult& r = in.result;
    const bool milliwatts = r.plan.requested.settings().powerDividedBy1000;
    out += "<section id=\"boxes\">\n<h2>The calculator's 52 boxes</h2>\n";
    if (!r.boxesNote.empty()) {
        out += "<p>" + htmlEscaped(r.boxesNote) + ".</p>\n</section>\n";
        return;
    }
    out += "<div class=\"columns\">\n";
    appendStations(out, r, milliwatts);
    out += "<div>\n";
    appendSingles(out, r, "Path", {Text21, Text22, Text51, Text23, Text50});
    appendSingles(out, r, "Geometry", {Text41, Text42, Text43, Text52, Text38, Text39, Text40});
    out += "</div>\n</div>\n";
    appendMethodGrid(out, r);
    out += "</section>\n";
}

}  // namespace tropolink
