#pragma once

#include <string_view>

#include "engine/headless_window.h"
#include "plan/plan_run.h"

namespace tropolink {

// A window holding the run's box texts, for the writers that read a window.
HeadlessWindow planWindow(const PlanResult& result);

// "P.617" or "P.2001".
std::string_view ituMethodName(itur::ItuMethod method);

}  // namespace tropolink
