#pragma once

#include <string>

#include "engine/headless_window.h"
#include "engine/numeric_fault.h"
#include "engine/recalculate.h"
#include "grammar/settings.h"

namespace tropolink {

// One pass from `settings` through the headless window, whose box texts keep
// their storage so repeated passes allocate nothing. Every pass that returns
// has rewritten all 52 boxes. Throws NumericFault when a step fails.
PassValues runPass(HeadlessWindow& window, const Settings& settings);

// What the user is told when a pass stops at a failed step: names the quantity.
std::string numericFaultMessage(const NumericFault& fault);

}  // namespace tropolink
