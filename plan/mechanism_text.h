#pragma once

#include <string>

#include "plan/plan_run.h"

namespace tropolink {

// The complete P.2001's rows in the plan's text: Lb, the four sub-model
// losses and the deciding mechanism at each percentage, for each receiving
// station; or one line on why it was left out.
void appendMechanismText(std::string& out, const PlanResult& r);

// "does not apply: REASON", "met, available ..." and the like: one verdict row's words.
std::string verdictRowText(const PlanVerdict& v);

}  // namespace tropolink
