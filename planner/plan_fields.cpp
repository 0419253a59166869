#include "planner/plan_fields.h"

#include <array>
#include <cstddef>
#include <optional>
#include <sstream>

#include "engine/slider.h"
#include "grammar/option_ranges.h"
#include "grammar/setting_names.h"

namespace tropolink::planner {
namespace {


std::string textOf(const std::optional<PlanText>& value) { return value ? value->text : std::string(); }

void setText(std::optional<PlanText>& value, const std::string& text) {
    if (text.empty()) {
        value.reset();
    } else if (!value || value->text != text) {
        value = PlanText{text, {}};  // an edited value stands nowhere in the file
    }
}

std::string joined(const std::vector<PlanText>& items, const char* separator) {
    std::string out;
    for (const PlanText& item : items) {
        if (!out.empty()) out += separator;
        out += item.text;
    }
    return out;
}

std::string trimmed(const std::string& text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

std::vector<std::string> splitAt(const std::string& text, char separator) {
    std::vector<std::string> parts;
    std::string part;
    std::istringstream in(text);
    while (std::getline(in, part, separator)) {
        if (!trimmed(part).empty()) parts.push_back(trimmed(part));
    }
    return parts;
}

// Keeps the positions of the items that did not change, so that a message
// about one of them still points into the file.
void setList(std::vector<PlanText>& items, const std::vector<std::string>& texts) {
    std::vector<PlanText> out;
    for (std::size_t i = 0; i < texts.size(); ++i) {
        if (i < items.size() && items[i].text == texts[i]) {
            out.push_back(items[i]);
        } else {
            out.push_back(PlanText{texts[i], {}});
        }
    }
    items = std::move(out);
}

std::vector<std::string> words(const std::string& text) {
    std::vector<std::string> out;
    std::istringstream in(text);
    for (std::string word; in >> word;) out.push_back(word);
    return out;
}

PlanStation& station(Plan& plan, int number) { return number == 1 ? plan.station1 : plan.station2; }
const PlanStation& station(const Plan& plan, int number) { return number == 1 ? plan.station1 : plan.station2; }

std::string aliasDefault(const SettingName& name) {
    return shownValue(sliderSpec(name.slider->slider).start, name.positionsPerUnit());
}

std::string optionAllowed(const NumberOption& option) { return allowedValues(option); }

PlanField plainField(std::string key, std::string group, std::string label, FieldKind kind,
                     std::optional<PlanText> Plan::*member) {
    PlanField field;
    field.key = std::move(key);
    field.group = std::move(group);
    field.label = std::move(label);
    field.kind = kind;
    field.get = [member](const Plan& plan) { return textOf(plan.*member); };
    field.set = [member](Plan& plan, const std::string& text) { setText(plan.*member, text); };
    return field;
}

template <typename Table>
PlanField tableField(std::string key, std::string group, std::string label, FieldKind kind, Table Plan::*table,
                     std::optional<PlanText> Table::*member) {
    PlanField field;
    field.key = std::move(key);
    field.group = std::move(group);
    field.label = std::move(label);
    field.kind = kind;
    field.get = [table, member](const Plan& plan) { return textOf(plan.*table.*member); };
    field.set = [table, member](Plan& plan, const std::string& text) { setText(plan.*table.*member, text); };
    return field;
}

PlanField numberField(PlanField field, std::string unit, std::string allowed, std::string defaultText) {
    field.unit = std::move(unit);
    field.allowed = std::move(allowed);
    field.defaultText = std::move(defaultText);
    return field;
}

// The readable labels of the station aliases, in the canonical order.
struct StationKey {
    const char* key;
    const char* label;
};
constexpr StationKey kStationKeys[] = {
    {"tx-power", "Transmitter power"},
    {"tx-line-loss-db", "Transmit line loss"},
    {"rx-noise-figure-db", "Receiver noise figure"},
    {"rx-line-loss-db", "Receive line loss"},
    {"antenna-gain-dbi", "Antenna gain"},
    {"antenna-noise-temp-k", "Antenna noise temperature"},
    {"rx-bandwidth-hz", "Receiver bandwidth"},
    {"antenna-height-m", "Antenna height (no terrain)"},
    {"obstruction-height-m", "Obstruction height (no terrain)"},
    {"obstruction-distance-km", "Obstruction distance (no terrain)"},
};

void addStation(std::vector<PlanField>& fields, int number) {
    const std::string table = "station" + std::to_string(number);
    const std::string group = "Station " + std::to_string(number);
    PlanField name;
    name.key = table + ".name";
    name.group = group;
    name.label = "Name";
    name.kind = FieldKind::Text;
    name.get = [number](const Plan& plan) { return textOf(station(plan, number).name); };
    name.set = [number](Plan& plan, const std::string& text) { setText(station(plan, number).name, text); };
    fields.push_back(name);

    PlanField site;
    site.key = table + ".site";
    site.group = group;
    site.label = "Site (latitude, longitude)";
    site.unit = "°";
    site.allowed = "latitude -90 to 90, longitude -180 to 180 degrees; with a DEM or a placed profile";
    site.kind = FieldKind::Text;
    site.get = [number](const Plan& plan) {
        const auto& value = station(plan, number).site;
        return value ? (*value)[0].text + ", " + (*value)[1].text : std::string();
    };
    site.set = [number](Plan& plan, const std::string& text) {
        auto& value = station(plan, number).site;
        if (trimmed(text).empty()) {
            value.reset();
            return;
        }
        const auto comma = text.find(',');
        const std::string parts[2] = {trimmed(text.substr(0, comma)),
                                      comma == std::string::npos ? std::string() : trimmed(text.substr(comma + 1))};
        std::array<PlanText, 2> site2{};
        for (std::size_t i = 0; i < 2; ++i) {
            site2[i] = value && (*value)[i].text == parts[i] ? (*value)[i] : PlanText{parts[i], {}};
        }
        value = site2;
    };
    fields.push_back(site);

    PlanField mast;
    mast.key = table + ".mast-m";
    mast.group = group;
    mast.label = "Mast";
    mast.get = [number](const Plan& plan) { return textOf(station(plan, number).mastM); };
    mast.set = [number](Plan& plan, const std::string& text) { setText(station(plan, number).mastM, text); };
    fields.push_back(numberField(mast, "m", optionAllowed(number == 1 ? kMast1Option : kMast2Option), "10"));

    for (const StationKey& key : kStationKeys) {
        const std::string alias = "s" + std::to_string(number) + "." + key.key;
        const auto name2 = findSettingName(alias);
        PlanField field;
        field.key = table + "." + key.key;
        field.group = group;
        field.label = key.label;
        const std::string settingKey = key.key;
        field.get = [number, settingKey](const Plan& plan) {
            const auto& settings = station(plan, number).settings;
            const auto found = settings.find(settingKey);
            return found == settings.end() ? std::string() : found->second.text;
        };
        field.set = [number, settingKey](Plan& plan, const std::string& text) {
            auto& settings = station(plan, number).settings;
            if (text.empty()) {
                settings.erase(settingKey);
            } else if (settings[settingKey].text != text) {
                settings[settingKey] = PlanText{text, {}};
            }
        };
        std::string allowed = allowedValues(*name2, false);
        if (settingKey == "tx-power") allowed += " (mW with power / 1000)";
        fields.push_back(numberField(field, std::string(name2->alias->unit), allowed, aliasDefault(*name2)));
    }
}

std::vector<PlanField> makeFields() {
    std::vector<PlanField> fields;
    fields.push_back(plainField("title", "Plan", "Title", FieldKind::Text, &Plan::title));
    fields.push_back(plainField("notes", "Plan", "Notes", FieldKind::LongText, &Plan::notes));
    PlanField power = plainField("power-div-1000", "Plan", "Power in milliwatts (power / 1000)", FieldKind::Flag,
                                 &Plan::powerDiv1000);
    power.allowed = "true or false";
    power.defaultText = "false";
    fields.push_back(power);
    addStation(fields, 1);
    addStation(fields, 2);

    const auto alias = [](const char* name) { return *findSettingName(name); };
    fields.push_back(numberField(tableField("path.frequency-mhz", "Path", "Frequency", FieldKind::Number, &Plan::path,
                                            &PlanPath::frequencyMhz),
                                 "MHz", allowedValues(alias("frequency-mhz"), false), aliasDefault(alias("frequency-mhz"))));
    PlanField dem;
    dem.key = "path.dem";
    dem.group = "Path";
    dem.label = "DEM files or folders";
    dem.allowed = "files or folders, relative to the plan's folder, separated by ;";
    dem.kind = FieldKind::DemList;
    dem.get = [](const Plan& plan) { return joined(plan.path.dem, "; "); };
    dem.set = [](Plan& plan, const std::string& text) { setList(plan.path.dem, splitAt(text, ';')); };
    fields.push_back(dem);
    PlanField profile = tableField("path.profile", "Path", "Profile CSV", FieldKind::File, &Plan::path,
                                   &PlanPath::profile);
    profile.allowed = "a profile CSV, relative to the plan's folder";
    fields.push_back(profile);
    fields.push_back(numberField(tableField("path.distance-km", "Path", "Distance (no terrain)", FieldKind::Number,
                                            &Plan::path, &PlanPath::distanceKm),
                                 "km", allowedValues(alias("distance-km"), false), aliasDefault(alias("distance-km"))));
    fields.push_back(numberField(tableField("path.surface-refractivity", "Path", "Surface refractivity",
                                            FieldKind::Number, &Plan::path, &PlanPath::surfaceRefractivity),
                                 "N-units", allowedValues(alias("surface-refractivity"), false),
                                 aliasDefault(alias("surface-refractivity"))));
    fields.push_back(numberField(tableField("path.step-m", "Path", "Profile step", FieldKind::Number, &Plan::path,
                                            &PlanPath::stepM),
                                 "m", optionAllowed(kStepOption), "the DEM's"));
    PlanField sea = tableField("path.sea-where-missing", "Path", "Sea where the DEM has no tile", FieldKind::Flag,
                               &Plan::path, &PlanPath::seaWhereMissing);
    sea.allowed = "true or false";
    sea.defaultText = "false";
    fields.push_back(sea);
    PlanField voids = tableField("path.fill-voids", "Path", "Fill the DEM's voids", FieldKind::Flag, &Plan::path,
                                 &PlanPath::fillVoids);
    voids.allowed = "true or false";
    voids.defaultText = "false";
    fields.push_back(voids);

    fields.push_back(numberField(tableField("itu.delta-n", "ITU climate", "Refractivity lapse ΔN", FieldKind::MapValue,
                                            &Plan::itu, &PlanItu::deltaN),
                                 "N-units/km", optionAllowed(kDeltaNOption), "40"));
    fields.push_back(numberField(tableField("itu.n0", "ITU climate", "Sea-level refractivity N0", FieldKind::MapValue,
                                            &Plan::itu, &PlanItu::n0),
                                 "N-units", optionAllowed(kN0Option), "the slider's"));
    fields.push_back(numberField(tableField("itu.climate-zone", "ITU climate", "Climate zone", FieldKind::MapValue,
                                            &Plan::itu, &PlanItu::climateZone),
                                 "", optionAllowed(kClimateZoneOption), "6"));
    fields.push_back(numberField(tableField("itu.ground-height-km", "ITU climate", "Ground under the common volume",
                                            FieldKind::MapValue, &Plan::itu, &PlanItu::groundHeightKm),
                                 "km", optionAllowed(kGroundHeightOption), "0"));

    fields.push_back(numberField(tableField("requirement.snr-db", "Requirement", "Required S/N", FieldKind::Number,
                                            &Plan::requirement, &PlanRequirement::snrDb),
                                 "dB", optionAllowed(kRequiredSnrOption), ""));
    fields.push_back(numberField(tableField("requirement.availability-percent", "Requirement", "Required availability",
                                            FieldKind::Number, &Plan::requirement,
                                            &PlanRequirement::availabilityPercent),
                                 "%", "more than 0 and less than 100 % of the year", "99.9"));
    PlanField percent;
    percent.key = "requirement.percent";
    percent.group = "Requirement";
    percent.label = "Percentages of the year";
    percent.unit = "%";
    percent.allowed = optionAllowed(kPercentOption) + ", separated by spaces";
    percent.defaultText = std::string(kPercentOption.defaultValue);
    percent.kind = FieldKind::NumberList;
    percent.get = [](const Plan& plan) { return joined(plan.requirement.percent, " "); };
    percent.set = [](Plan& plan, const std::string& text) { setList(plan.requirement.percent, words(text)); };
    fields.push_back(percent);
    return fields;
}

}  // namespace

const std::vector<PlanField>& planFields() {
    static const std::vector<PlanField> fields = makeFields();
    return fields;
}

const PlanField* fieldForKey(const std::string& key) {
    const PlanField* best = nullptr;
    for (const PlanField& field : planFields()) {
        const bool begins = key.compare(0, field.key.size(), field.key) == 0 &&
                            (key.size() == field.key.size() || key[field.key.size()] == '.' ||
                             key[field.key.size()] == '[');
        if (begins && (!best || field.key.size() > best->key.size())) best = &field;
    }
    return best;
}

}  // namespace tropolink::planner
