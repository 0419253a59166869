#pragma once

#include <functional>
#include <string>
#include <vector>

#include "plan/plan.h"

namespace tropolink::planner {

// How a field is edited.
enum class FieldKind {
    Number,     // one value, its text kept exactly as typed
    Text,       // a name or title
    LongText,   // the notes
    Flag,       // true, false or absent
    NumberList, // numbers separated by spaces
    DemList,    // paths separated by ";", chosen with a file or folder dialog
    File,       // one path, chosen with a file dialog
    MapValue,   // an [itu] value: absent means "from the maps"
};

// One key of the plan file as the form shows it. `get` gives the key's text
// as written ("" when absent); `set` writes it back ("" removes the key).
struct PlanField {
    std::string key;      // dotted, as PlanError::key() names it: "station1.tx-power"
    std::string group;    // "Station 1", "Path", ...
    std::string label;    // "Transmitter power"
    std::string unit;     // "W", may be empty
    std::string allowed;  // the range, for the tooltip
    std::string defaultText;  // shown greyed while the field is empty
    FieldKind kind = FieldKind::Number;
    std::function<std::string(const Plan&)> get;
    std::function<void(Plan&, const std::string&)> set;
};

// Every key of the plan file, in the canonical layout's order.
const std::vector<PlanField>& planFields();

// The field that a refusal of `key` belongs to: the exact key, else the
// longest field key that begins it ("station1.site" for "station1.site[1]").
const PlanField* fieldForKey(const std::string& key);

}  // namespace tropolink::planner
