#pragma once

#include <cstdint>
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
// Plans are a few kilobytes; a file far larger is not one.
inline constexpr std::uint64_t kMaxPlanBytes = 4u << 20;

// The longest lists a plan may hold: the percentages a sweep allows, and
// DEM files. A list is refused at the entry beyond.
inline constexpr std::size_t kMaxPlanPercents = 64;
inline constexpr std::size_t kMaxPlanFiles = 1024;

// The same from a file; an unreadable file, one that is not a regular file
// (a FIFO would block) or one larger than kMaxPlanBytes is a PlanError naming it.
Plan readPlan(const std::filesystem::path& file);

// The plan in the one canonical layout: the tables in a fixed order, each key
// with its unit as a comment. Writing a plan that was read from this layout
// gives the same bytes.
std::string planToml(const Plan& plan);

// The template of `plan --new`: every key commented out with its unit, range
// and default.
std::string planTemplate();

}  // namespace tropolink
