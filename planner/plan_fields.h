#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "plan/plan.h"
#include "plan/plan_keys.h"

namespace tropolink::planner {

// How a field is edited.
enum class FieldKind {
    Number,      // one value, its text kept exactly as typed
    Text,        // a name or title
    LongText,    // the notes
    Flag,        // true, false or absent
    Site,        // latitude and longitude, separated by a comma
    NumberList,  // numbers separated by blanks
    DemList,     // paths separated by ";", chosen with a file or folder dialog
    File,        // one path, chosen with a file dialog
    MapValue,    // an [itu] value: absent means "from the maps"
};

// One key of the plan file as the form shows it. Its kind, unit, allowed
// values and default are the key table's (planKeys()); the label, the group
// and the editor are the form's own.
struct PlanField {
    const PlanKeyInfo* key = nullptr;
    std::string dotted;  // as PlanError::key() names it: "station1.tx-power"
    std::string group;   // "Station 1", "Path", ...
    std::string label;   // "Transmitter power"
    FieldKind kind = FieldKind::Number;
    std::string unit;         // beside the field, for numbers; may be empty
    std::string allowed;      // the key's allowed values, for the tooltip
    std::string defaultText;  // shown greyed while the field is empty
};

// Every key of the plan file, in the canonical layout's order.
const std::vector<PlanField>& planFields();

// The field that a refusal of `key` belongs to: the exact key, else the
// longest field key that begins it ("station1.site" for "station1.site[1]").
const PlanField* fieldForKey(std::string_view key);

// The key's value as the field shows it; "" when the plan leaves it out.
std::string keyText(const Plan& plan, const PlanField& field);

// Sets the key from the field's text; "" leaves it out. A value, or an item
// of a list, whose text did not change keeps its place in the file, which
// refusals name.
void setKeyText(Plan& plan, const PlanField& field, const std::string& text);

}  // namespace tropolink::planner
