#include "python/plan_objects.h"

#include <pybind11/stl.h>

#include <algorithm>
#include <string>

#include "io/file_output.h"
#include "link/profile_answer.h"
#include "plan/plan_check.h"
#include "plan/plan_json.h"
#include "plan/plan_keys.h"
#include "plan/plan_paths.h"
#include "plan/plan_run.h"
#include "plan/plan_slots.h"
#include "plan/plan_toml.h"
#include "plan/report_time.h"
#include "plan_report/plan_report.h"
#include "python/climate_functions.h"
#include "python/keyword_settings.h"
#include "python/os_error.h"
#include "tropolink_version.h"

namespace py = pybind11;

namespace tropolink::python {
namespace {

// A plan with its check done once.
struct PythonPlan {
    Plan plan;
    CheckedPlan checked;
};

CheckedPlan checked(const Plan& plan) {
    try {
        return checkPlan(plan);
    } catch (const PlanError& e) {
        throw py::value_error(e.what());
    }
}

std::string pathText(const py::handle& path) { return py::str(py::module_::import("os").attr("fspath")(path)); }

// A keyword value as the text the file would hold.
PlanText keywordText(const PlanKeyInfo& info, const py::handle& value) {
    const std::string key = dottedKey(info.table, info.name);
    switch (info.kind) {
        case PlanKind::Boolean:
            return {flagValue(value, key) ? "true" : "false", {}};
        case PlanKind::Text:
        case PlanKind::TextList:
            if (py::isinstance<py::str>(value)) return {value.cast<std::string>(), {}};
            if (info.kind == PlanKind::TextList || info.name == "profile") return {pathText(value), {}};
            throw py::type_error(key + ": " + std::string(py::str(py::repr(value))) + ": not a str (allowed: " +
                                 info.allowed + ")");
        default:
            return {valueText(value, key, info.allowed), {}};
    }
}

std::vector<PlanText> keywordList(const PlanKeyInfo& info, const py::handle& value) {
    std::vector<PlanText> texts;
    if (info.kind == PlanKind::TextList && (py::isinstance<py::str>(value) || py::hasattr(value, "__fspath__")))
        return {keywordText(info, value)};
    for (const py::handle element : py::iter(value)) texts.push_back(keywordText(info, element));
    return texts;
}

// "tx_power" and "tx-power" name the same key.
std::string keyName(const py::handle& key) {
    std::string name = py::str(key);
    for (char& c : name)
        if (c == '_') c = '-';
    return name;
}

void setKeyword(Plan& plan, std::string_view table, const py::handle& key, const py::handle& value) {
    const std::string name = keyName(key);
    const PlanKeyInfo* info = findPlanKey(table, name);
    if (!info) {
        const std::string dotted = dottedKey(table, name);
        throw py::value_error(refusal(dotted, "unknown key", keysOf(table)));
    }
    const PlanSlot slot = planSlot(plan, table, name);
    if (info->kind == PlanKind::Site) {
        std::vector<PlanText> pair = keywordList(*info, value);
        if (pair.size() != 2)
            throw py::value_error(refusal(dottedKey(table, name), std::to_string(pair.size()) + " numbers", info->allowed));
        *slot.site = std::array<PlanText, 2>{pair[0], pair[1]};
    } else if (slot.list) {
        *slot.list = keywordList(*info, value);
    } else if (slot.settings) {
        (*slot.settings)[name] = keywordText(*info, value);
    } else {
        *slot.one = keywordText(*info, value);
    }
}

PythonPlan fromKeywords(const py::kwargs& keywords) {
    PythonPlan p;
    for (const auto& [key, value] : keywords) {
        const std::string name = keyName(key);
        if (name == "file") {
            p.plan.file = pathText(value);
            continue;
        }
        // The diversity as tropolink.availability names it, beside diversity={...}.
        static const std::pair<std::string_view, const char*> kDiversityWords[] = {
            {"diversity-order", "order"}, {"combiner", "combiner"}, {"branch-correlation", "branch-correlation"}};
        const auto word = std::ranges::find(kDiversityWords, name, &std::pair<std::string_view, const char*>::first);
        if (word != std::end(kDiversityWords)) {
            setKeyword(p.plan, "diversity", py::str(word->second), value);
            continue;
        }
        bool table = false;
        for (const std::string_view t : kPlanTables) table = table || (!t.empty() && t == name);
        if (!table) {
            setKeyword(p.plan, "", key, value);
            continue;
        }
        if (!py::isinstance<py::dict>(value))
            throw py::type_error(name + ": not a dict (allowed: a dict of the keys " + keysOf(name) + ")");
        for (const auto& [inner, innerValue] : value.cast<py::dict>()) setKeyword(p.plan, name, inner, innerValue);
    }
    p.checked = checked(p.plan);
    return p;
}

PythonPlan load(const py::object& path) {
    // A file that cannot be read raises OSError, as Python's own open() does;
    // what the plan reader refuses is a ValueError.
    py::module_::import("io").attr("open")(path, "rb").attr("close")();
    PythonPlan p;
    try {
        p.plan = readPlan(pathText(path));
    } catch (const PlanError& e) {
        throw py::value_error(e.what());
    }
    p.checked = checked(p.plan);
    return p;
}

void writeText(const py::object& path, const std::string& text) {
    if (const auto failed = writeFile(pathText(path), text))
        raiseOsError(failed->error, failed->message(), failed->path);
}

PlanResult runOf(const PythonPlan& p, const PlanMaps& maps) {
    try {
        py::gil_scoped_release release;
        return runPlanWithMaps(p.checked, maps);
    } catch (const GroundError& e) {
        throw py::value_error(e.what());
    } catch (const std::system_error& e) {
        raiseOsError(e.code(), e.what(), p.checked.profile ? p.checked.profile->string() : std::string());
    }
}

// As the tool loads them for a plan with sites: none, with a UserWarning, when not installed.
PlanMaps mapsFor(const PythonPlan& p, const py::object& maps) {
    if (!planNeedsMaps(p.checked)) return {};
    PlanMaps installed = installedPlanMaps(maps);
    if (!installed.climate && PyErr_WarnEx(PyExc_UserWarning, std::string(kMissingMapsNote).c_str(), 1) != 0)
        throw py::error_already_set();
    return installed;
}

py::object run(const PythonPlan& p, const py::object& maps) {
    const PlanResult result = runOf(p, mapsFor(p, maps));
    std::string json;
    appendPlanJson(json, p.plan, result);
    return py::module_::import("json").attr("loads")(json);
}

void report(const PythonPlan& p, const py::object& path, const py::object& maps) {
    const PlanResult result = runOf(p, mapsFor(p, maps));
    writeText(path, planReportHtml(p.plan, result,
                                   {reportTime(), TROPOLINK_VERSION, p.plan.file.filename().string()}));
}

constexpr const char* kPlanDoc = R"doc(A link plan, as `tropolink-cli plan` reads it from a *.tropolink.toml file.

Plan.load(path) reads and checks a file; Plan(**keywords) makes one from the file's keys:
title, notes and power_div_1000, and the tables station1, station2, path, itu,
requirement and diversity as dicts, e.g.
    Plan(title="Hop", station1={"tx_power": 1000, "site": [51.36, -55.58]}, ...)
diversity_order, combiner and branch_correlation, as tropolink.availability takes them,
are the keys of [diversity]. "_" and "-" are the same in a key; file= anchors relative DEM and profile paths. Every
value is checked as the file's is, and a refused one raises ValueError with the key,
the problem and what is allowed.)doc";

}  // namespace

std::optional<PlanOfObject> planOfObject(const py::handle& value) {
    if (!py::isinstance<PythonPlan>(value)) return std::nullopt;
    const auto& p = value.cast<const PythonPlan&>();
    return PlanOfObject{p.checked, p.plan.file.string()};
}

void addPlanClass(py::module_& m) {
    py::class_<PythonPlan>(m, "Plan", kPlanDoc)
        .def(py::init(&fromKeywords))
        .def_static("load", &load, py::arg("path"),
                    "Reads and checks a plan file; ValueError \"FILE:LINE:COLUMN: ...\" when refused, OSError "
                    "when it cannot be read.")
        .def(
            "save",
            [](const PythonPlan& p, const py::object& path) {
                writeText(path, planToml(planMovedTo(p.plan, pathText(path))));
            },
            py::arg("path"),
            "Writes the plan in the canonical layout, whole or not at all; relative DEM and profile paths are "
            "rewritten for the new file's folder. OSError when the file cannot be written.")
        .def(
            "toml", [](const PythonPlan& p) { return planToml(p.plan); }, "The plan in the canonical layout.")
        .def("run", &run, py::arg("maps") = py::none(),
             "Runs the plan: the dict that `tropolink-cli plan --json` prints. ValueError for ground that cannot be "
             "had or a refused map, OSError for a profile that cannot be read.")
        .def("report", &report, py::arg("path"), py::arg("maps") = py::none(),
             "Runs the plan and writes the HTML link report to path; OSError when it cannot be written.")
        .def_property_readonly("title", [](const PythonPlan& p) { return p.checked.title; })
        .def_property_readonly("file", [](const PythonPlan& p) { return p.plan.file.string(); })
        .def_property_readonly("source", [](const PythonPlan& p) { return p.plan.source; });
}

}  // namespace tropolink::python
