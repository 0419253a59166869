// Validity notes and the plan itself.
#include "plan/plan_toml.h"
#include "plan_report/html_escape.h"
#include "plan_report/report_sections.h"

namespace tropolink {

void appendNotesSection(std::string& out, const ReportInput& in) {
    out += "<section id=\"notes\">\n<h2>Validity notes</h2>\n";
    const std::vector<std::string> notes = in.result.shownNotes();
    if (notes.empty()) {
        out += "<p>No notes on this path.</p>\n</section>\n";
        return;
    }
    out += "<ul>\n";
    for (const std::string& note : notes) {
        out += "<li>";
        appendHtmlEscaped(out, note);
        out += "</li>\n";
    }
    out += "</ul>\n</section>\n";
}

void appendPlanSection(std::string& out, const ReportInput& in) {
    out += "<section id=\"plan\">\n<h2>The plan</h2>\n<p>The plan <span class=\"file\">";
    appendHtmlEscaped(out, in.stamp.planFileName);
    out += "</span> as read; run <code>tropolink-cli plan FILE --report FILE.html</code> on it to reproduce this "
           "report.</p>\n<pre class=\"plan\">";
    // A plan made in a window has no file text yet: its canonical layout stands in.
    appendHtmlEscaped(out, in.plan.source.empty() ? planToml(in.plan) : in.plan.source);
    out += "</pre>\n";
    if (!in.result.settingsLine.empty()) {
        out += "<p>The calculator's settings for this path, as <code>tropolink-cli --batch</code> reads them:</p>\n"
               "<pre class=\"settings\">";
        appendHtmlEscaped(out, in.result.settingsLine);
        out += "</pre>\n";
    }
    out += "</section>\n";
}

}  // namespace tropolink
