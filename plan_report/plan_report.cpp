#include "plan_report/plan_report.h"

#include "plan_report/html_escape.h"
#include "plan_report/report_sections.h"

namespace tropolink {

std::string planReportHtml(const Plan& plan, const PlanResult& result, const ReportStamp& stamp) {
    const ReportInput in{plan, result, stamp};
    std::string out = "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n";
    // Nothing on the page may load or run: the policy holds even where a
    // plan text got past the escaping.
    out += "<meta http-equiv=\"Content-Security-Policy\" content=\"default-src 'none'; style-src 'unsafe-inline'; "
           "img-src data:\">\n";
    out += "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n<title>";
    appendHtmlEscaped(out, result.plan.title.empty() ? std::string_view("Link plan") : std::string_view(result.plan.title));
    out += "</title>\n<style>";
    out += reportCss();
    out += "</style>\n</head>\n<body>\n";
    appendHeaderSection(out, in);
    appendVerdictSection(out, in);
    appendClimateDefaults(out, in);
    appendSitesSection(out, in);
    appendClimateSection(out, in);
    appendBudgetSection(out, in);
    appendYearSection(out, in);
    appendMechanismSection(out, in);
    appendFadingSection(out, in);
    appendBoxesSection(out, in);
    appendNotesSection(out, in);
    appendPlanSection(out, in);
    out += "</body>\n</html>\n";
    return out;
}

}  // namespace tropolink
