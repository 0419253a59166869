// Loss over the year: the ITU methods' L(p) against the limit the required
// S/N sets, and the fade margins at the plan's percentages.
#include "plan_report/budget_rows.h"
#include "plan_report/report_sections.h"
#include "plan_report/year_svg.h"

namespace tropolink {

void appendYearSection(std::string& out, const ReportInput& in) {
    const PlanResult& r = in.result;
    const BudgetDirection a = budgetDirection(r, 1);
    const BudgetDirection b = budgetDirection(r, 2);
    out += "<section id=\"year\">\n<h2>Loss over the year</h2>\n<div class=\"columns\">\n<figure class=\"year\">\n";
    out += inlineSvg(yearLossSvg(r, a, b));
    out += "<figcaption>A loss below the limit line meets the required S/N. The legacy methods give medians only: "
           "they stand at 50 %.</figcaption>\n</figure>\n";
    out += "<table class=\"fade\">\n<thead><tr><th rowspan=\"2\">Time %</th>";
    for (const itur::ItuMethod method : itur::kItuMethods)
        out += "<th colspan=\"2\">" + itur::recommendationName(method) + "</th>";
    out += "</tr>\n<tr>";
    for (std::size_t m = 0; m < itur::kItuMethods.size(); ++m) out += "<th>L(p) dB</th><th>Fade margin dB</th>";
    out += "</tr></thead>\n<tbody>\n";
    const std::vector<itur::PercentFigures>& rows = r.availability.p617.rows;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        out += "<tr><th>" + percentText(rows[i].percent) + "</th>";
        for (const itur::ItuMethod method : itur::kItuMethods) {
            const itur::PercentFigures& f = itur::methodAnswer(r.availability, method).rows[i];
            out += "<td>" + numberCell(f.loss, 2) + "</td><td>" + numberCell(f.fadeMargin, 2) + "</td>";
        }
        out += "</tr>\n";
    }
    out += "</tbody>\n</table>\n</div>\n<p class=\"small\">The fade margin is L(p) \xE2\x88\x92 L(50 %): how much deeper "
           "than the median the loss goes for that share of the year.</p>\n</section>\n";
}

}  // namespace tropolink
