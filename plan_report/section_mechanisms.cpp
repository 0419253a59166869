// How the signal arrives: the complete P.2001's combined loss and its four
// sub-models over the year, and the mechanism that decides it.
#include <algorithm>

#include "plan_report/html_escape.h"
#include "plan_report/mechanism_svg.h"
#include "plan_report/report_sections.h"

namespace tropolink {
namespace {

const std::string& stationName(const CheckedPlan& p, int station) {
    return station == 1 ? p.station1.name : p.station2.name;
}

void appendAbsent(std::string& out, const PlanMechanisms& m) {
    out += "<p>The complete ITU-R P.2001, which finds the mechanism that carries the signal, did not run: ";
    if (!m.reason.empty())
        appendHtmlEscaped(out, m.reason);
    else if (m.skip == MechanismSkip::NoSites)
        out += "it needs the ends' coordinates to read its maps, and this plan gives no sites";
    else
        out += "no reason was recorded";
    out += ".</p>\n";
}

// The sentence under the heading: what carries the signal at the required
// percentage, once where both directions agree.
void appendDeciding(std::string& out, const PlanResult& r) {
    const CheckedPlan& p = r.plan;
    std::vector<const MechanismStation*> with;
    for (const MechanismStation& s : r.mechanisms.stations)
        if (s.atRequired) with.push_back(&s);
    if (with.empty()) return;
    const auto words = [](const MechanismStation* s) { return decidingMechanismsText(s->atRequired->deciding); };
    const bool same = std::all_of(with.begin(), with.end(), [&](const auto* s) { return words(s) == words(with[0]); });
    out += "<p class=\"deciding\">At the required " + percentText(p.requiredAvailabilityPercent) +
           " % of the year the signal arrives by ";
    for (std::size_t i = 0; i < with.size(); ++i) {
        if (i > 0) out += same ? ", " : "; by ";
        if (i == 0 || !same) {
            out += "<b>";
            appendHtmlEscaped(out, words(with[i]));
            out += "</b> ";
        }
        out += "(L<sub>b</sub> " + numberCell(with[i]->atRequired->lbDb, 1) + " dB received at ";
        appendHtmlEscaped(out, stationName(p, with[i]->receivingStation));
        out += ")";
    }
    out += ".</p>\n";
}

void appendTable(std::string& out, const PlanResult& r) {
    out += "<table class=\"mechanisms\">\n<thead><tr><th>Time %</th><th>Received at</th><th>L<sub>b</sub> dB</th>"
           "<th>L<sub>bm1</sub> dB</th><th>L<sub>bm2</sub> dB</th><th>L<sub>bm3</sub> dB</th><th>L<sub>bm4</sub> "
           "dB</th><th>Deciding mechanism</th></tr></thead>\n<tbody>\n";
    const std::size_t rows = r.mechanisms.stations.empty() ? 0 : r.mechanisms.stations.front().atPercents.size();
    for (std::size_t i = 0; i < rows; ++i)
        for (const MechanismStation& s : r.mechanisms.stations) {
            if (i >= s.atPercents.size()) continue;
            const MechanismLosses& at = s.atPercents[i];
            out += "<tr><th>" + percentText(at.percent) + "</th><td class=\"name\">";
            appendHtmlEscaped(out, stationName(r.plan, s.receivingStation));
            out += "</td>";
            for (std::size_t c = 0; c < kMechanismCurves; ++c) out += "<td>" + numberCell(curveLossDb(at, c), 2) + "</td>";
            out += "<td class=\"name\">";
            appendHtmlEscaped(out, decidingMechanismsText(at.deciding));
            out += "</td></tr>\n";
        }
    out += "</tbody>\n</table>\n";
}

}  // namespace

void appendMechanismSection(std::string& out, const ReportInput& in) {
    const PlanResult& r = in.result;
    const CheckedPlan& p = r.plan;
    out += "<section id=\"mechanisms\">\n<h2>How the signal arrives</h2>\n";
    if (!r.mechanisms.ran()) {
        appendAbsent(out, r.mechanisms);
        out += "</section>\n";
        return;
    }
    appendDeciding(out, r);
    out += "<div class=\"columns\">\n";
    for (const MechanismStation& s : r.mechanisms.stations) {
        const int station = s.receivingStation;
        std::optional<double> limit;
        if (r.highestLossDb) limit = (*r.highestLossDb)[static_cast<std::size_t>(station - 1)];
        std::optional<double> required;
        if (p.availability.requiredSnrDb) required = p.requiredAvailabilityPercent;
        out += "<figure class=\"mechanisms\">\n";
        out += inlineSvg(mechanismSvg(s, limit, required, "mechanism-clip-" + std::to_string(station)));
        out += "<figcaption>Received at ";
        appendHtmlEscaped(out, stationName(p, station));
        out += ", ";
        appendHtmlEscaped(out, stationName(p, 3 - station));
        out += " transmitting.</figcaption>\n</figure>\n";
    }
    out += "</div>\n";
    appendTable(out, r);
    out += "<p class=\"small\">L<sub>bm1</sub>: diffraction and clear-air propagation near the surface; "
           "L<sub>bm2</sub>: ducting and layer reflection; L<sub>bm3</sub>: troposcatter; L<sub>bm4</sub>: "
           "sporadic-E. L<sub>b</sub> combines them; the sub-model with the smallest loss decides it, and a second "
           "within " +
           numberCell(kMechanismTieDb, 0) + " dB is named beside it.</p>\n";
    for (const std::string& note : r.mechanisms.notes) {
        out += "<p class=\"small\">";
        appendHtmlEscaped(out, note);
        out += "</p>\n";
    }
    out += "</section>\n";
}

}  // namespace tropolink
