#pragma once

#include <optional>
#include <string>

#include "plan_report/budget_rows.h"

namespace tropolink {

// The row of `d` the waterfall follows: an ITU method at the required
// availability (P.2001 first), else one at 50 %, else the first legacy median
// with a loss; none when no method gives one.
std::optional<std::size_t> waterfallRow(const BudgetDirection& d, const CheckedPlan& plan);

// The waterfall of both directions, one panel each: each level a bar from the
// axis, each loss and gain a step from the level before; the noise power and
// the level the required S/N needs drawn across.
std::string budgetWaterfallSvg(const BudgetDirection& a, const BudgetDirection& b, const CheckedPlan& plan);

// What the waterfall follows, as HTML.
std::string waterfallCaption(const BudgetDirection& a, const CheckedPlan& plan);

}  // namespace tropolink
