// The header and the verdict: what the plan is, and whether the link meets it.
#include "report/fading_report.h"
#include "plan/plan_decision.h"
#include "plan_report/budget_rows.h"
#include "plan_report/html_escape.h"
#include "plan_report/report_sections.h"

namespace tropolink {
namespace {

std::string outageText(const itur::StationAvailability& a) {
    if (!a.outageMinutesPerYear) return "\xE2\x80\x93";
    return numberCell(a.outageMinutesPerYear, 1) + " min a year";
}

}  // namespace

void appendHeaderSection(std::string& out, const ReportInput& in) {
    const CheckedPlan& p = in.result.plan;
    out += "<header class=\"report-header\">\n<h1>";
    appendHtmlEscaped(out, p.title.empty() ? std::string_view("Link plan") : std::string_view(p.title));
    out += "</h1>\n";
    if (!p.notes.empty()) {
        out += "<p class=\"plan-notes\">";
        appendHtmlEscaped(out, p.notes);
        out += "</p>\n";
    }
    out += "<p class=\"stamp\">";
    appendHtmlEscaped(out, p.station1.name);
    out += " \xE2\x80\x93 ";
    appendHtmlEscaped(out, p.station2.name);
    out += " &middot; plan <span class=\"file\">";
    appendHtmlEscaped(out, in.stamp.planFileName);
    out += "</span> &middot; ";
    appendHtmlEscaped(out, in.stamp.generatedAt);
    out += " &middot; Tropolink ";
    appendHtmlEscaped(out, in.stamp.version);
    out += "</p>\n</header>\n";
}

void appendVerdictSection(std::string& out, const ReportInput& in) {
    const CheckedPlan& p = in.result.plan;
    out += "<section id=\"verdict\">\n<h2>Verdict</h2>\n";
    if (!p.availability.requiredSnrDb) {
        out += "<p>The plan requires no S/N, so there is no verdict; the figures follow.</p>\n</section>\n";
        return;
    }
    out += "<p>Required: S/N of at least <b>" + numberCell(p.availability.requiredSnrDb, 1) +
           " dB</b> for <b>" + percentText(p.requiredAvailabilityPercent) + " %</b> of the year.</p>\n";
    if (p.availability.fading) {
        out += "<p>The verdict is received with <b>";
        appendHtmlEscaped(out, diversityDescription(p.availability.fading->diversity));
        out += "</b> and fading within the hour; the availability and outage columns are of the hourly median "
               "only.</p>\n";
    }
    if (const auto& d = in.result.decision) {
        out += d->applies ? (d->met ? "<p class=\"decision met\">" : "<p class=\"decision not-met\">")
                          : "<p class=\"decision\">";
        appendHtmlEscaped(out, d->firstLine);
        out += "</p>\n";
        const std::string defaults = defaultsSentence(d->defaults, in.result.mechanisms.ran());
        for (const std::string& sentence : d->sentences) {
            if (sentence == defaults) continue;
            out += "<p>";
            appendHtmlEscaped(out, sentence);
            out += "</p>\n";
        }
    }
    out += "<table class=\"verdict\">\n<thead><tr><th>Method</th><th>Receiving station</th><th>Availability "
           "reached</th><th>Outage</th><th>Requirement</th></tr></thead>\n<tbody>\n";
    for (const PlanVerdict& v : in.result.verdicts) {
        const std::string& station = v.receivingStation == 1 ? p.station1.name : p.station2.name;
        out += !v.applies ? "<tr class=\"does-not-apply\">" : v.met ? "<tr class=\"met\">" : "<tr class=\"not-met\">";
        out += "<td>" + itur::recommendationName(v.method) + "</td><td>";
        appendHtmlEscaped(out, station);
        if (!v.applies) {
            out += "</td><td colspan=\"3\" class=\"word\">does not apply: ";
            appendHtmlEscaped(out, v.reason);
            out += "</td></tr>\n";
            continue;
        }
        out += "</td><td>" + availabilityText(v.availability) + "</td><td>" + outageText(v.availability) + "</td>";
        out += v.met ? "<td class=\"word\">&#10003; met</td>" : "<td class=\"word\">&#10007; not met</td>";
        out += "</tr>\n";
    }
    out += "</tbody>\n</table>\n</section>\n";
}

}  // namespace tropolink
