#include "plan_report/plan_report.h"

namespace tropolink {

namespace {

void appendEscaped(std::string& out, std::string_view text) {
    for (char c : text) {
        switch (c) {
            case '&': out += "&amp;"; break;
            case '<': out += "&lt;"; break;
            case '>': out += "&gt;"; break;
            case '"': out += "&quot;"; break;
            case '\'': out += "&#39;"; break;
            default: out += c;
        }
    }
}

}  // namespace

std::string planReportHtml(const Plan& plan, const PlanResult& result, const MapsInUse& maps, const ReportStamp& stamp) {
    (void)plan;
    (void)maps;
    std::string out = "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n<title>";
    appendEscaped(out, result.plan.title);
    out += "</title>\n</head>\n<body>\n<h1>";
    appendEscaped(out, result.plan.title);
    out += "</h1>\n<p>";
    appendEscaped(out, stamp.planFileName);
    out += "</p>\n</body>\n</html>\n";
    return out;
}

}  // namespace tropolink
