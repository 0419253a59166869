#pragma once

#include <string>

#include "link/site_climate.h"
#include "plan/plan.h"
#include "plan/plan_run.h"

namespace tropolink {

// `plan --json`: one object with the plan as read, every figure, the
// verdicts, the validity notes in "notes", and the source of each climate value.
void appendPlanJson(std::string& out, const Plan& plan, const PlanResult& result);

// The text output of `plan`: the verdict first, one line per ITU method and
// receiving station (met or not, the availability and the outage in minutes
// a year), then the path, the climate, the boxes and the methods' table.
void appendPlanText(std::string& out, const PlanResult& result);

}  // namespace tropolink
