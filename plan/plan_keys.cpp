#include "plan/plan_keys.h"

#include "grammar/input_error.h"
#include "grammar/option_ranges.h"
#include "grammar/setting_names.h"
#include "plan/plan_numbers.h"
#include "plan/plan_radio.h"

namespace tropolink {
namespace {

constexpr std::string_view kTextAllowed = "a string in double quotes";
constexpr std::string_view kBooleanAllowed = "true or false";
constexpr std::string_view kSiteAllowed = "[LAT, LON] in plain decimal degrees, -90 to 90 and -180 to 180";

PlanKeyInfo sliderKey(std::string_view table, std::string_view name, std::string_view alias) {
    const SettingName setting = *findSettingName(alias);
    const auto index = static_cast<std::size_t>(sliderIndex(setting.slider->slider));
    return {table, name, PlanKind::Number, std::string(setting.unit(false)), allowedValues(setting, false),
            shownValue(startPositions()[index], setting.positionsPerUnit())};
}

PlanKeyInfo optionKey(std::string_view table, std::string_view name, const NumberOption& option,
                      std::string shownDefault) {
    return {table, name, PlanKind::Number, std::string(option.unit), allowedValues(option), std::move(shownDefault)};
}

// A radio value may leave its slider's range: the plan runs it as given.
std::string radioAllowed(const RadioKey& key) {
    std::string allowed = allowedValues(key.option);
    if (key.name == "tx-power") allowed += " (" + allowedValues(txPowerMilliwattOption()) + ")";
    return allowed;
}

// The keys that give the same value another way, after the slider's own.
void addRadioAlternatives(std::vector<PlanKeyInfo>& keys, std::string_view table, std::string_view sliderName) {
    if (sliderName == "antenna-gain-dbi") {
        keys.push_back(optionKey(table, "antenna-diameter-m", kAntennaDiameterOption, ""));
        keys.back().allowed += ", instead of antenna-gain-dbi";
        keys.push_back(optionKey(table, "antenna-efficiency", kAntennaEfficiencyOption,
                                 std::string(kAntennaEfficiencyOption.defaultValue)));
        keys.back().allowed += ", with antenna-diameter-m";
    } else if (sliderName == "rx-bandwidth-hz") {
        const RadioKey& megahertz = *findRadioKey("rx-bandwidth-mhz");
        keys.push_back(optionKey(table, megahertz.name, megahertz.option, ""));
        keys.back().allowed += ", instead of rx-bandwidth-hz";
    }
}

void addStation(std::vector<PlanKeyInfo>& keys, std::string_view table, std::string_view prefix,
                const NumberOption& mast, std::string_view defaultName) {
    keys.push_back({table, "name", PlanKind::Text, "", std::string(kTextAllowed), "\"" + std::string(defaultName) + "\""});
    keys.push_back({table, "site", PlanKind::Site, "latitude, longitude in degrees", std::string(kSiteAllowed), ""});
    keys.push_back(optionKey(table, "mast-m", mast, std::string(mast.defaultValue)));
    for (const Alias& alias : kAliases) {
        if (!alias.name.starts_with(prefix)) continue;
        const std::string_view name = alias.name.substr(prefix.size());
        keys.push_back(sliderKey(table, name, alias.name));
        if (const RadioKey* radio = findRadioKey(name)) keys.back().allowed = radioAllowed(*radio);
        addRadioAlternatives(keys, table, name);
    }
}

std::vector<PlanKeyInfo> makeKeys() {
    std::vector<PlanKeyInfo> keys;
    keys.push_back({"", "title", PlanKind::Text, "", std::string(kTextAllowed), "\"\""});
    keys.push_back({"", "notes", PlanKind::Text, "", std::string(kTextAllowed), "\"\""});
    keys.push_back({"", "power-div-1000", PlanKind::Boolean, "tx-power in mW", std::string(kBooleanAllowed), "false"});
    addStation(keys, "station1", "s1.", kMast1Option, "Station 1");
    addStation(keys, "station2", "s2.", kMast2Option, "Station 2");
    keys.push_back(sliderKey("path", "frequency-mhz", "frequency-mhz"));
    keys.push_back({"path", "dem", PlanKind::TextList, "relative to the plan's folder",
                    "DEM files or folders of SRTM tiles, relative to the plan's folder", ""});
    keys.push_back({"path", "profile", PlanKind::Text, "relative to the plan's folder",
                    "a profile CSV, relative to the plan's folder", ""});
    keys.push_back(sliderKey("path", "distance-km", "distance-km"));
    keys.push_back(sliderKey("path", "surface-refractivity", "surface-refractivity"));
    keys.push_back(optionKey("path", "step-m", kStepOption, ""));
    keys.push_back({"path", "sea-where-missing", PlanKind::Boolean, "", std::string(kBooleanAllowed), "false"});
    keys.push_back({"path", "fill-voids", PlanKind::Boolean, "", std::string(kBooleanAllowed), "false"});
    keys.push_back({"path", "polarisation", PlanKind::Text, "of the complete P.2001", "\"vertical\" or \"horizontal\"",
                    "\"vertical\""});
    keys.push_back(optionKey("itu", "delta-n", kDeltaNOption, std::string(kDeltaNOption.defaultValue)));
    keys.push_back(optionKey("itu", "n0", kN0Option, ""));
    keys.push_back(optionKey("itu", "climate-zone", kClimateZoneOption, std::string(kClimateZoneOption.defaultValue)));
    keys.push_back(optionKey("itu", "ground-height-km", kGroundHeightOption, "0"));
    keys.push_back(optionKey("requirement", "snr-db", kRequiredSnrOption, ""));
    keys.push_back(optionKey("requirement", "availability-percent", kRequiredAvailabilityOption, "99.9"));
    keys.push_back({"requirement", "percent", PlanKind::NumberList, "% of the year",
                    "a list, each " + allowedValues(kPercentOption), "[50, 90, 99, 99.9, 99.99]"});
    keys.push_back({"diversity", "order", PlanKind::Number, "receiving branches", "1, 2 or 4", "1"});
    keys.push_back({"diversity", "combiner", PlanKind::Text, "", "selection or maximal-ratio", "\"selection\""});
    keys.push_back(optionKey("diversity", "branch-correlation", kBranchCorrelationOption, "0"));
    return keys;
}

}  // namespace

const std::vector<PlanKeyInfo>& planKeys() {
    static const std::vector<PlanKeyInfo> keys = makeKeys();
    return keys;
}

const PlanKeyInfo* findPlanKey(std::string_view table, std::string_view name) {
    for (const PlanKeyInfo& key : planKeys())
        if (key.table == table && key.name == name) return &key;
    return nullptr;
}

std::string dottedKey(std::string_view table, std::string_view name) {
    return table.empty() ? std::string(name) : std::string(table) + "." + std::string(name);
}

std::string keysOf(std::string_view table) {
    std::string keys;
    for (const PlanKeyInfo& key : planKeys()) {
        if (key.table != table) continue;
        if (!keys.empty()) keys += ", ";
        keys += key.name;
    }
    if (table.empty())
        for (const std::string_view t : kPlanTables)
            if (!t.empty()) keys += ", [" + std::string(t) + "]";
    return keys;
}

PlanError planError(const std::filesystem::path& file, PlanPosition at, std::string key, std::string_view message) {
    std::string line;
    if (!file.empty()) {
        line = file.string() + ":";
        if (at.line > 0) line += std::to_string(at.line) + ":" + std::to_string(at.column) + ":";
        line += " ";
    }
    line += message;
    return PlanError(line, std::move(key), at);
}

std::string refusal(std::string_view key, std::string_view problem, std::string_view allowed) {
    return InputError(key, problem, allowed).what();
}

}  // namespace tropolink
