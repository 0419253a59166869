#pragma once

#include <array>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "plan/plan.h"

namespace tropolink {

// Where the model keeps the value of one key; exactly one member is set for a
// known key, none for an unknown one. A station's slider keys live in its
// `settings` map under `name`.
struct PlanSlot {
    std::optional<PlanText>* one = nullptr;
    std::vector<PlanText>* list = nullptr;
    std::optional<std::array<PlanText, 2>>* site = nullptr;
    std::map<std::string, PlanText>* settings = nullptr;
};

PlanSlot planSlot(Plan& plan, std::string_view table, std::string_view name);

// The texts of one key as the model holds them: none, one, or several.
std::vector<PlanText> planValues(const Plan& plan, std::string_view table, std::string_view name);

}  // namespace tropolink
