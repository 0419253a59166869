// The link budget: from each transmitter's power to the other station's S/N,
// one row per method, and the waterfall of the same.
#include "plan_report/budget_rows.h"
#include "plan_report/budget_svg.h"
#include "plan_report/html_escape.h"
#include "plan_report/report_sections.h"

namespace tropolink {
namespace {

std::string both(const BudgetDirection& a, const BudgetDirection& b, double BudgetDirection::*field, int decimals) {
    return numberCell(a.*field, decimals) + "</td><td>" + numberCell(b.*field, decimals);
}

void appendChain(std::string& out, const BudgetDirection& a, const BudgetDirection& b, bool milliwatts,
                 const CheckedPlan& plan) {
    out += "<table class=\"chain\">\n<thead><tr><th></th><th>";
    appendHtmlEscaped(out, plan.station1.name);
    out += " \xE2\x86\x92 ";
    appendHtmlEscaped(out, plan.station2.name);
    out += "</th><th>";
    appendHtmlEscaped(out, plan.station2.name);
    out += " \xE2\x86\x92 ";
    appendHtmlEscaped(out, plan.station1.name);
    out += "</th></tr></thead>\n<tbody>\n";
    appendRow(out, milliwatts ? "Transmitter power (mW)" : "Transmitter power (W)",
              {numberCell(a.txPowerW * (milliwatts ? 1000 : 1), milliwatts ? 1 : 3) + "</td><td>" +
               numberCell(b.txPowerW * (milliwatts ? 1000 : 1), milliwatts ? 1 : 3)});
    appendRow(out, "Transmitter power (dBW)", {both(a, b, &BudgetDirection::txPowerDbw, 2)});
    appendRow(out, "\xE2\x88\x92 Transmit line loss (dB)", {both(a, b, &BudgetDirection::txLineLossDb, 2)});
    appendRow(out, "+ Transmit antenna gain (dBi)", {both(a, b, &BudgetDirection::txGainDbi, 2)});
    out += "<tr class=\"sum\">";
    out += "<th>= EIRP (dBW)</th><td>" + both(a, b, &BudgetDirection::eirpDbw, 2) + "</td></tr>\n";
    appendRow(out, "+ Receive antenna gain (dBi)", {both(a, b, &BudgetDirection::rxGainDbi, 2)});
    out += "<tr class=\"group\"><th colspan=\"3\">Receiver</th></tr>\n";
    appendRow(out, "Antenna noise temperature (K)", {both(a, b, &BudgetDirection::antennaNoiseTempK, 0)});
    appendRow(out, "Receive line loss (dB)", {both(a, b, &BudgetDirection::rxLineLossDb, 2)});
    appendRow(out, "Noise figure (dB)", {both(a, b, &BudgetDirection::rxNoiseFigureDb, 2)});
    appendRow(out, "System noise temperature (K)", {both(a, b, &BudgetDirection::systemNoiseTempK, 1)});
    appendRow(out, "Bandwidth (Hz)", {both(a, b, &BudgetDirection::bandwidthHz, 0)});
    appendRow(out, "Noise power kTB (dBW)", {both(a, b, &BudgetDirection::noisePowerDbw, 2)});
    out += "<tr class=\"sum\"><th>Received level at S/N 0 dB, before the receive antenna: noise power "
           "\xE2\x88\x92 receive antenna gain (dBW)</th><td>" +
           both(a, b, &BudgetDirection::sensitivityDbw, 2) + "</td></tr>\n";
    if (a.requiredSnrDb) {
        appendRow(out, "Required S/N (dB)", {numberCell(a.requiredSnrDb, 1) + "</td><td>" + numberCell(b.requiredSnrDb, 1)});
        out += "<tr class=\"sum\"><th>Highest path loss that meets it (dB)</th><td>" + numberCell(a.maxLossDb, 2) +
               "</td><td>" + numberCell(b.maxLossDb, 2) + "</td></tr>\n";
    }
    out += "</tbody>\n</table>\n";
}

std::string lossCells(const BudgetLossRow& row) {
    if (!row.pathLossDb) return "<td colspan=\"3\" class=\"words\">" + htmlEscaped(row.words) + "</td>";
    std::string cells = "<td>" + numberCell(row.receivedDbw, 2) + "</td><td>" + numberCell(row.snrDb, 2) + "</td>";
    const char* cls = !row.marginDb ? "" : *row.marginDb >= 0 ? " class=\"met\"" : " class=\"not-met\"";
    cells += "<td" + std::string(cls) + ">" + numberCell(row.marginDb, 2) + "</td>";
    return cells;
}

void appendMethods(std::string& out, const BudgetDirection& a, const BudgetDirection& b, const ReportInput& in) {
    out += "<table class=\"methods\">\n<thead><tr><th rowspan=\"2\">Path loss</th><th rowspan=\"2\">Time %</th><th "
           "rowspan=\"2\">Loss (dB)</th><th colspan=\"3\">Received at ";
    appendHtmlEscaped(out, in.result.plan.station2.name);
    out += "</th><th colspan=\"3\">Received at ";
    appendHtmlEscaped(out, in.result.plan.station1.name);
    out += "</th></tr>\n<tr><th>Level (dBW)</th><th>S/N (dB)</th><th>Margin (dB)</th><th>Level (dBW)</th><th>S/N "
           "(dB)</th><th>Margin (dB)</th></tr></thead>\n<tbody>\n";
    for (std::size_t i = 0; i < a.rows.size(); ++i) {
        const BudgetLossRow& ra = a.rows[i];
        out += ra.percent ? "<tr>" : "<tr class=\"legacy\">";
        out += "<th>" + htmlEscaped(ra.method) + "</th><td>" + (ra.percent ? percentText(*ra.percent) : "median") + "</td>";
        out += "<td>" + (ra.pathLossDb ? numberCell(ra.pathLossDb, 2) : htmlEscaped(ra.words)) + "</td>";
        out += lossCells(ra) + lossCells(b.rows[i]) + "</tr>\n";
    }
    out += "</tbody>\n</table>\n";
}

}  // namespace

void appendBudgetSection(std::string& out, const ReportInput& in) {
    const BudgetDirection a = budgetDirection(in.result, 1);
    const BudgetDirection b = budgetDirection(in.result, 2);
    const bool milliwatts = in.result.plan.requested.settings().powerDividedBy1000;
    out += "<section id=\"budget\">\n<h2>Link budget</h2>\n";
    out += "<p>Each column follows one direction from the transmitter's power to the receiver. The receive line loss "
           "counts in the system noise temperature, so the received level stands at the antenna's terminals, "
           "where the noise power is referred: S/N = received level \xE2\x88\x92 noise power.</p>\n";
    appendChain(out, a, b, milliwatts, in.result.plan);
    out += "<figure class=\"waterfall\">\n" + inlineSvg(budgetWaterfallSvg(a, b, in.result.plan)) + "<figcaption>" +
           waterfallCaption(a, in.result.plan) + "</figcaption>\n</figure>\n</section>\n";
    // The methods' rows make a section of their own: on paper they start a
    // page rather than cut the budget in two.
    out += "<section id=\"budget-methods\">\n<h2>Link budget by method</h2>\n";
    appendMethods(out, a, b, in);
    out += "</section>\n";
}

}  // namespace tropolink
