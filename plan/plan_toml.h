#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "plan/plan.h"

namespace tropolink {

// Plan files are named *.tropolink.toml.
inline constexpr std::string_view kPlanSuffix = ".tropolink.toml";

// Reads a plan from TOML text. `file` names the plan in messages and anchors
// its relative paths. Throws PlanError (plan_check.h) for a syntax error, an
// unknown key or a wrong type, with the line and column.
Plan parsePlan(std::string_view text, const std::filesystem::path& file);
// The same from a file; an unreadable file is a PlanError naming it.
Plan readPlan(const std::filesystem::path& file);

// The plan in the one canonical layout: the tables in a fixed order, each key
// with its unit as a comment. Writing a plan that was read from this layout
// gives the same bytes.
std::string planToml(const Plan& plan);

// The template of `plan --new`: every key commented out with its unit, range
// and default.
std::string planTemplate();

}  // namespace tropolink
