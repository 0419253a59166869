#pragma once

#include <string>

#include "plan/plan_run.h"

namespace tropolink {

// The complete P.2001's rows in the plan's text: Lb, the four sub-model
// losses and the deciding mechanism at each percentage, for each receiving
// station; or one line on why it was left out.
void appendMechanismText(std::string& out, const PlanResult& r);
// The same with the stations named `name1` and `name2`; `reasonInNotes`: the
// line on installing the missing maps stands in the notes, and is not repeated.
void appendMechanismText(std::string& out, const PlanMechanisms& m, const std::string& name1, const std::string& name2,
                         bool reasonInNotes = false);

// The complete P.2001's JSON object, as the plan's "p2001All" member holds it.
std::string mechanismsJsonText(const PlanMechanisms& m);

// "does not apply: REASON", "met, available ..." and the like: one verdict row's words.
std::string verdictRowText(const PlanVerdict& v);

}  // namespace tropolink
