#include "plan/plan_json.h"

#include <cstdlib>
#include <nlohmann/json.hpp>

#include "plan/mechanism_json.h"
#include "plan/plan_keys.h"
#include "plan/plan_slots.h"
#include "report/availability_json.h"
#include "report/box_writers.h"
#include "report/climate_report.h"
#include "report/json_writer.h"
#include "report/path_report.h"
#include "report/profile_report.h"
#include "report/values_json.h"

namespace tropolink {
namespace {

using nlohmann::ordered_json;

std::string_view formName(PlanForm form) {
    switch (form) {
        case PlanForm::DemWithSites: return "demWithSites";
        case PlanForm::ProfileWithSites: return "profileWithSites";
        case PlanForm::Profile: return "profile";
        case PlanForm::Settings: return "sliders";
    }
    return "";
}

// A checked plan's number is a plain decimal, which strtod reads in the C locale.
ordered_json valueJson(PlanKind kind, const PlanText& value) {
    if (kind == PlanKind::Text || kind == PlanKind::TextList) return value.text;
    if (kind == PlanKind::Boolean) return value.text == "true";
    return std::strtod(value.text.c_str(), nullptr);
}

// The plan as read: each table with the keys given, in the canonical order.
ordered_json planJson(const Plan& plan) {
    ordered_json json = ordered_json::object();
    for (const PlanKeyInfo& info : planKeys()) {
        const std::vector<PlanText> values = planValues(plan, info.table, info.name);
        if (values.empty()) continue;
        ordered_json& table = info.table.empty() ? json : json[std::string(info.table)];
        ordered_json value;
        if (info.kind == PlanKind::Site || info.kind == PlanKind::NumberList || info.kind == PlanKind::TextList) {
            value = ordered_json::array();
            for (const PlanText& v : values) value.push_back(valueJson(info.kind, v));
        } else {
            value = valueJson(info.kind, values.front());
        }
        table[std::string(info.name)] = value;
    }
    return json;
}

ordered_json verdictsJson(const PlanResult& r) {
    ordered_json list = ordered_json::array();
    for (const PlanVerdict& v : r.verdicts) {
        const auto optional = [](std::optional<double> x) { return x ? ordered_json(*x) : ordered_json(nullptr); };
        const std::string_view bound = boundText(v.availability.bound);
        list.push_back({{"method", itur::methodNames(v.method).label},
                        {"receivingStation", v.receivingStation},
                        {"applies", v.applies},
                        {"reason", v.applies ? ordered_json(nullptr) : ordered_json(v.reason)},
                        {"met", v.met},
                        {"availabilityPercent", optional(v.availability.percent)},
                        {"outageMinutesPerYear", optional(v.availability.outageMinutesPerYear)},
                        {"bound", bound.empty() ? ordered_json(nullptr) : ordered_json(bound)}});
        if (v.withDiversity)
            list.back()["withDiversity"] = {{"availabilityPercent", v.withDiversity->percent},
                                            {"outageMinutesPerYear", v.withDiversity->outageMinutesPerYear}};
    }
    return list;
}

// Without [diversity]: each method with fading and one receiver, and the notes that say it.
ordered_json fadingAloneJson(const std::optional<FadingAlone>& a) {
    if (!a) return nullptr;
    ordered_json methods = ordered_json::array();
    for (const OneReceiverFading& m : a->methods) {
        ordered_json stations = ordered_json::array();
        for (std::size_t i = 0; i < m.stations.size(); ++i) {
            const auto& s = m.stations[i];
            if (!s) {
                stations.push_back({{"receivingStation", i + 1}, {"applies", false}});
                continue;
            }
            stations.push_back({{"receivingStation", i + 1},
                                {"applies", true},
                                {"medianMarginDb", s->fading.medianMarginDb},
                                {"marginNeededDb", s->marginNeededDb},
                                {"availabilityPercent", s->fading.oneReceiver.percent},
                                {"outageMinutesPerYear", s->fading.oneReceiver.outageMinutesPerYear}});
        }
        methods.push_back({{"method", itur::methodNames(m.method).label}, {"met", m.met}, {"stations", stations}});
    }
    return {{"verdictMet", a->verdictMet ? ordered_json(*a->verdictMet) : ordered_json(nullptr)},
            {"methods", methods},
            {"notes", a->notes}};
}

// Without sites the climate values are the plan's or the defaults.
ordered_json slidersClimateJson(const PlanResult& r) {
    const AvailabilityOptions& o = r.plan.availability;
    const auto value = [](double v, std::string_view source) { return ordered_json{{"value", v}, {"source", source}}; };
    return {{"n0", value(r.link.surfaceRefractivity, o.n0 ? "option" : "slider")},
            {"deltaN", value(o.deltaN, o.deltaNGiven ? "option" : "default")},
            {"climateZone", value(static_cast<double>(o.climateZone), o.climateZoneGiven ? "option" : "default")}};
}


std::string dumped(const ordered_json& json) { return json.dump(-1, ' ', false, ordered_json::error_handler_t::replace); }

// The members of the profile's own JSON object, to stand inside the plan's.
std::string profileMembers(const PlanResult& r, const BoxTexts& boxes) {
    ProfileJsonExtras extras;
    if (r.placed) extras = {pathJson(*r.placed, *r.places), climateJson(*r.climate)};
    extras.boxesLeftOut = !r.boxesNote.empty();
    std::string object;
    appendProfileJson(object, *r.derived, boxes, &r.availability, extras);
    // "{...}\n": the members lie between the outer braces.
    return object.substr(1, object.size() - 3);
}

}  // namespace

void appendPlanJson(std::string& out, const Plan& plan, const PlanResult& r) {
    const BoxTexts boxes = r.boxTexts();
    ordered_json head;
    head["file"] = plan.file.string();
    head["form"] = formName(r.plan.form);
    head["plan"] = planJson(plan);
    head["requirement"] = {{"snrDb", r.plan.availability.requiredSnrDb ? ordered_json(*r.plan.availability.requiredSnrDb)
                                                                       : ordered_json(nullptr)},
                           {"availabilityPercent", r.plan.requiredAvailabilityPercent},
                           {"percents", r.plan.availability.percents}};
    head["decision"] = decisionJson(r.decision);
    head["verdicts"] = verdictsJson(r);
    head["p2001All"] = mechanismsJson(r.mechanisms);
    head["notes"] = r.notes;
    head["fadingWithoutDiversity"] = fadingAloneJson(r.fadingAlone);
    head["settingsLine"] = r.settingsLine;
    std::string text = dumped(head);
    text.pop_back();  // the closing brace: the figures follow
    if (r.derived) {
        text += "," + profileMembers(r, boxes);
    } else {
        text += ",\"boxes\":";
        if (r.boxesNote.empty())
            appendBoxObjectValue(text, boxes, nullptr);
        else
            text += "null";
        text += ",\"availability\":";
        JsonWriter availability(text);
        writeAvailability(availability, r.availability, &r.values.geometry);
    }
    if (!r.climate) text += ",\"climate\":" + dumped(slidersClimateJson(r));
    text += ",\"values\":";
    JsonWriter values(text);
    writeValues(values, r.values);
    out += text + "}\n";
}

}  // namespace tropolink
