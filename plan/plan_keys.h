#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "plan/plan.h"
#include "plan/plan_check.h"

namespace tropolink {

// What a key's value is in TOML.
enum class PlanKind {
    Text,        // a string
    Boolean,     // true or false
    Number,      // an integer or a float, kept as written
    Site,        // [LAT, LON]
    NumberList,  // [N, N, ...]
    TextList,    // "PATH" or ["PATH", ...]
};

// One key of the plan file. The reader, the canonical writer and the
// template all follow this one table, in its order.
struct PlanKeyInfo {
    std::string_view table;  // "" at the top level, else "station1", "path"...
    std::string_view name;
    PlanKind kind = PlanKind::Number;
    std::string unit;        // the canonical writer's comment, may be empty
    std::string allowed;     // what the value may be, as refusals say it
    std::string shownDefault;  // the template's value, "" for none
};

inline constexpr std::string_view kPlanTables[] = {"", "station1", "station2", "path", "itu", "requirement", "diversity"};

const std::vector<PlanKeyInfo>& planKeys();
const PlanKeyInfo* findPlanKey(std::string_view table, std::string_view name);

// "station1.tx-power", or "title" at the top level.
std::string dottedKey(std::string_view table, std::string_view name);

// The keys a table allows, for the refusal of an unknown one.
std::string keysOf(std::string_view table);

// The refusal of a plan: "FILE:LINE:COLUMN: " before `message` when the plan
// came from a file (the position left out when unknown).
PlanError planError(const std::filesystem::path& file, PlanPosition at, std::string key, std::string_view message);

// "KEY: problem (allowed: ...)", the shape of every refusal of the tool.
std::string refusal(std::string_view key, std::string_view problem, std::string_view allowed);

}  // namespace tropolink
