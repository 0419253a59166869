#pragma once

#include <string>

#include "link/site_climate.h"
#include "plan/plan.h"
#include "plan/plan_run.h"

namespace tropolink {

// What the report's header names besides the plan.
struct ReportStamp {
    std::string generatedAt;  // "2026-12-09 14:03 UTC"
    std::string version;      // the Tropolink version
    std::string planFileName;
};

// The link report: one self-contained HTML page (inline CSS and SVG, no
// scripts, no external requests) that reads on a screen and prints on A4.
// Every text from the plan is escaped. The maps it names are those the run
// read, as its climate values say.
std::string planReportHtml(const Plan& plan, const PlanResult& result, const ReportStamp& stamp);

}  // namespace tropolink
