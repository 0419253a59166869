#include "planner/plan_fields.h"

#include <array>
#include <sstream>

#include "plan/plan_slots.h"

namespace tropolink::planner {
namespace {

// The form's own words for the tables and the keys; a key the form has no
// label for shows its own name.
struct TableLook {
    std::string_view table;
    std::string_view group;
};
constexpr TableLook kGroups[] = {{"", "Plan"},           {"station1", "Station 1"}, {"station2", "Station 2"},
                                 {"path", "Path"},       {"itu", "ITU climate"},    {"requirement", "Requirement"},
                                 {"diversity", "Diversity"}};

struct KeyLook {
    std::string_view name;
    std::string_view label;
};
constexpr KeyLook kLabels[] = {
    {"title", "Title"},
    {"notes", "Notes"},
    {"power-div-1000", "Power in milliwatts (power / 1000)"},
    {"name", "Name"},
    {"site", "Site (latitude, longitude)"},
    {"mast-m", "Mast"},
    {"antenna-height-m", "Antenna height (no terrain)"},
    {"obstruction-height-m", "Obstruction height (no terrain)"},
    {"obstruction-distance-km", "Obstruction distance (no terrain)"},
    {"tx-power", "Transmitter power"},
    {"tx-line-loss-db", "Transmit line loss"},
    {"rx-noise-figure-db", "Receiver noise figure"},
    {"rx-line-loss-db", "Receive line loss"},
    {"antenna-gain-dbi", "Antenna gain"},
    {"antenna-diameter-m", "Dish diameter (instead of the gain)"},
    {"antenna-efficiency", "Dish aperture efficiency"},
    {"antenna-noise-temp-k", "Antenna noise temperature"},
    {"rx-bandwidth-hz", "Receiver bandwidth"},
    {"rx-bandwidth-mhz", "Receiver bandwidth in MHz (instead of Hz)"},
    {"frequency-mhz", "Frequency"},
    {"dem", "DEM files or folders"},
    {"profile", "Profile CSV"},
    {"distance-km", "Distance (no terrain)"},
    {"surface-refractivity", "Surface refractivity"},
    {"step-m", "Profile step"},
    {"sea-where-missing", "Sea where the DEM has no tile"},
    {"fill-voids", "Fill the DEM's voids"},
    {"delta-n", "Refractivity lapse ΔN"},
    {"n0", "Sea-level refractivity N0"},
    {"climate-zone", "Climate zone"},
    {"ground-height-km", "Ground under the common volume"},
    {"snr-db", "Required S/N"},
    {"availability-percent", "Required availability"},
    {"percent", "Percentages of the year"},
    {"order", "Diversity order"},
    {"combiner", "Combiner"},
    {"branch-correlation", "Branch correlation"},
};

// What an empty field stands for where the key table shows no default.
constexpr KeyLook kAbsentMeans[] = {{"step-m", "the DEM's"}, {"n0", "the slider's"}};

template <typename Look, std::size_t N>
std::string_view lookUp(const Look (&table)[N], std::string_view key, std::string_view fallback) {
    for (const Look& look : table)
        if (look.name == key) return look.label;
    return fallback;
}

std::string_view groupOf(std::string_view table) {
    for (const TableLook& look : kGroups)
        if (look.table == table) return look.group;
    return table;
}

FieldKind kindOf(const PlanKeyInfo& key) {
    switch (key.kind) {
        case PlanKind::Text:
            if (key.name == "notes") return FieldKind::LongText;
            if (key.name == "profile") return FieldKind::File;
            return FieldKind::Text;
        case PlanKind::Boolean:
            return FieldKind::Flag;
        case PlanKind::Site:
            return FieldKind::Site;
        case PlanKind::NumberList:
            return FieldKind::NumberList;
        case PlanKind::TextList:
            return FieldKind::DemList;
        case PlanKind::Number:
            break;
    }
    // The ground under the common volume comes from the DEM, not from the maps.
    return key.table == "itu" && key.name != "ground-height-km" ? FieldKind::MapValue : FieldKind::Number;
}

// The key table shows defaults as TOML values: "\"Station 1\"", "[50, 90]".
std::string shownAsTyped(std::string text) {
    std::string out;
    for (const char c : text)
        if (c != '"' && c != '[' && c != ']' && c != ',') out += c;
    return out;
}

PlanField fieldOf(const PlanKeyInfo& key) {
    PlanField field;
    field.key = &key;
    field.dotted = dottedKey(key.table, key.name);
    field.group = groupOf(key.table);
    field.label = lookUp(kLabels, key.name, key.name);
    field.kind = kindOf(key);
    const bool number = key.kind == PlanKind::Number || key.kind == PlanKind::NumberList;
    if (number) field.unit = key.unit;
    field.allowed = key.allowed;
    field.defaultText = shownAsTyped(key.shownDefault);
    if (field.defaultText.empty()) field.defaultText = lookUp(kAbsentMeans, key.name, "");
    return field;
}

std::string trimmed(const std::string& text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

std::vector<std::string> parts(const std::string& text, FieldKind kind) {
    std::vector<std::string> out;
    std::istringstream in(text);
    if (kind == FieldKind::NumberList) {
        for (std::string word; in >> word;) out.push_back(word);
        return out;
    }
    for (std::string part; std::getline(in, part, ';');)
        if (!trimmed(part).empty()) out.push_back(trimmed(part));
    return out;
}

std::string joined(const std::vector<PlanText>& items, std::string_view separator) {
    std::string out;
    for (const PlanText& item : items) {
        if (!out.empty()) out += separator;
        out += item.text;
    }
    return out;
}

// An edited value stands nowhere in the file; an unchanged one keeps its place.
PlanText kept(const PlanText* old, const std::string& text) {
    return old && old->text == text ? *old : PlanText{text, {}};
}

void setOne(std::optional<PlanText>& value, const std::string& text) {
    if (text.empty())
        value.reset();
    else
        value = kept(value ? &*value : nullptr, text);
}

void setList(std::vector<PlanText>& items, const std::vector<std::string>& texts) {
    std::vector<PlanText> out;
    for (std::size_t i = 0; i < texts.size(); ++i) out.push_back(kept(i < items.size() ? &items[i] : nullptr, texts[i]));
    items = std::move(out);
}

void setSite(std::optional<std::array<PlanText, 2>>& site, const std::string& text) {
    if (trimmed(text).empty()) {
        site.reset();
        return;
    }
    const auto comma = text.find(',');
    const std::string latitude = trimmed(text.substr(0, comma));
    const std::string longitude = comma == std::string::npos ? std::string() : trimmed(text.substr(comma + 1));
    site = std::array<PlanText, 2>{kept(site ? &(*site)[0] : nullptr, latitude),
                                   kept(site ? &(*site)[1] : nullptr, longitude)};
}

}  // namespace

const std::vector<PlanField>& planFields() {
    static const std::vector<PlanField> fields = [] {
        std::vector<PlanField> all;
        for (const PlanKeyInfo& key : planKeys()) all.push_back(fieldOf(key));
        return all;
    }();
    return fields;
}

const PlanField* fieldForKey(std::string_view key) {
    const PlanField* best = nullptr;
    for (const PlanField& field : planFields()) {
        const std::string_view name = field.dotted;
        const bool begins = key.starts_with(name) &&
                            (key.size() == name.size() || key[name.size()] == '.' || key[name.size()] == '[');
        if (begins && (!best || name.size() > best->dotted.size())) best = &field;
    }
    return best;
}

std::string keyText(const Plan& plan, const PlanField& field) {
    const std::vector<PlanText> values = planValues(plan, field.key->table, field.key->name);
    if (values.empty()) return {};
    switch (field.kind) {
        case FieldKind::Site:
            return values.size() == 2 ? values[0].text + ", " + values[1].text : std::string();
        case FieldKind::DemList:
            return joined(values, "; ");
        case FieldKind::NumberList:
            return joined(values, " ");
        default:
            return values.front().text;
    }
}

void setKeyText(Plan& plan, const PlanField& field, const std::string& text) {
    const PlanSlot slot = planSlot(plan, field.key->table, field.key->name);
    if (slot.one) {
        setOne(*slot.one, text);
    } else if (slot.list) {
        setList(*slot.list, parts(text, field.kind));
    } else if (slot.site) {
        setSite(*slot.site, text);
    } else if (slot.settings) {
        const std::string name(field.key->name);
        if (text.empty()) {
            slot.settings->erase(name);
        } else {
            const auto found = slot.settings->find(name);
            (*slot.settings)[name] = kept(found == slot.settings->end() ? nullptr : &found->second, text);
        }
    }
}

}  // namespace tropolink::planner
