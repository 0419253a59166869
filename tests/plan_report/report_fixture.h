#pragma once

#include <string>

#include "plan/plan.h"
#include "plan/plan_run.h"

namespace tropolink::test {

// A plan and its result made without the plan reader: the calculator's start
// positions, or the committed hill profile with two masts, both ITU methods
// at the default percentages and an S/N of 10 dB required. `text` goes into
// every text field (title, notes, station names, the plan's source).
struct ReportFixture {
    Plan plan;
    PlanResult result;
};

ReportFixture settingsFixture(const std::string& text = "Start positions");
ReportFixture profileFixture(const std::string& text = "Hill path");
// The hill path with the complete method's result made up, not computed:
// the report only shows it. Near the surface decides the median, ducting
// the small percentages, troposcatter the rest; the directions differ by 1 dB.
ReportFixture mechanismFixture(const std::string& text = "Hill path");

}  // namespace tropolink::test
