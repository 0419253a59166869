#pragma once

#include <QString>
#include <QStringList>

#include <vector>

#include "plan/plan_run.h"

namespace tropolink::planner {

// The one verdict in words: its first line, then its sentences (the climate
// defaults among them); empty without a requirement.
QStringList decisionLines(const PlanResult& result);

// The complete P.2001's rows: at each of the plan's percentages, each
// receiving station: time %, received at, Lb, Lbm1 to Lbm4 (dB), the
// deciding mechanism in words. Empty where the method did not run.
std::vector<QStringList> mechanismRows(const PlanResult& result);

// What carries the signal at the required percentage in each direction, or
// why the complete method did not run (for missing maps, how to install them).
QString mechanismSummary(const PlanResult& result);

}  // namespace tropolink::planner
