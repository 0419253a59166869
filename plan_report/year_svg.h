#pragma once

#include <string>

#include "plan_report/budget_rows.h"

namespace tropolink {

// The plan result's curve of each ITU method from 1 % to 99.99 % of the year
// on a normal-probability axis, the highest loss that meets the required S/N in
// each direction as a horizontal line, and the legacy medians at 50 %.
std::string yearLossSvg(const PlanResult& result, const BudgetDirection& a, const BudgetDirection& b);

}  // namespace tropolink
