#pragma once

#include <nlohmann/json.hpp>

#include "plan/plan_run.h"

// The complete P.2001's part of the plan's JSON (nlohmann is private to the plan library).
namespace tropolink {

// {"ran", "skipped", "reason", "polarisation", "mapsSource", "zoneSource",
//  "stations": [{"receivingStation", "atPercents", "atRequired", "availability", "mapValues", "notes"}]}
nlohmann::ordered_json mechanismsJson(const PlanMechanisms& m);

// {"method", "applies", "met", "firstLine", "mechanism", "sentences", "defaults"}; null without a requirement.
nlohmann::ordered_json decisionJson(const std::optional<PlanDecision>& d);

}  // namespace tropolink
