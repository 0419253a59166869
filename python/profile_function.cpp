#include "python/profile_function.h"

#include <pybind11/stl.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "grammar/input_error.h"
#include "grammar/option_ranges.h"
#include "grammar/setting_names.h"
#include "ground/ground.h"
#include "link/pass_window.h"
#include "link/profile_answer.h"
#include "link/profile_link.h"
#include "plan/mechanism_text.h"
#include "plan/profile_mechanisms.h"
#include "python/climate_functions.h"
#include "python/itu_availability.h"
#include "python/keyword_settings.h"
#include "python/os_error.h"
#include "python/profile_objects.h"
#include "python/terrain_functions.h"

namespace py = pybind11;

namespace tropolink::python {
namespace {

constexpr std::string_view kUnfixedSliders =
    "keywords for sliders the profile does not fix: not the antenna heights, obstruction heights and distances, or "
    "distance_km";

// The availability keywords as the tool's options, each refused without availability=True.
struct AvailabilityKeywords {
    py::object percent, deltaN, n0, climateZone, requiredSnrDb;
};

std::optional<AvailabilityOptions> availabilityOptions(bool wanted, const AvailabilityKeywords& k) {
    const std::pair<const py::object*, const char*> given[] = {{&k.percent, "percent"},
                                                               {&k.deltaN, "delta_n"},
                                                               {&k.n0, "n0"},
                                                               {&k.climateZone, "climate_zone"},
                                                               {&k.requiredSnrDb, "required_snr_db"}};
    if (!wanted) {
        for (const auto& [value, name] : given)
            if (!value->is_none()) throw InputError(name, "given without availability=True", "it with availability=True");
        return std::nullopt;
    }
    AvailabilityArguments a;
    if (!k.percent.is_none()) a.percents = percentTexts(k.percent);
    if (!k.deltaN.is_none()) a.deltaN.push_back(valueText(k.deltaN, "delta_n", "a number"));
    if (!k.n0.is_none()) a.n0.push_back(valueText(k.n0, "n0", "a number"));
    if (!k.climateZone.is_none()) a.climateZone.push_back(valueText(k.climateZone, "climate_zone", "a number"));
    if (!k.requiredSnrDb.is_none()) a.requiredSnr.push_back(valueText(k.requiredSnrDb, "required_snr_db", "a number"));
    return validateAvailabilityOptions(a);
}

double mastHeight(const NumberOption& option, const char* keyword, const py::object& value) {
    NumberOption named = option;
    named.name = keyword;
    return readNumberOption(named, valueText(value, keyword, "a number"));
}

// The sliders the keywords set, checked as calculate() checks them; the
// profile's own are refused, as `profile --set` refuses them.
SettingsBuilder requestedSettings(const py::kwargs& keywords, bool powerDividedBy1000) {
    for (const auto& [key, value] : keywords) {
        const std::string keyword = py::str(key);
        const SettingName name = settingNameOf(keyword, keyword);
        if (isProfileSlider(name.slider->slider))
            throw InputError(keyword, std::string(name.text()) + " is fixed by the profile", kUnfixedSliders);
    }
    const Settings settings = settingsFromKeywords(keywords, powerDividedBy1000);
    SettingsBuilder builder(powerDividedBy1000);
    for (const auto& [key, value] : keywords) {
        const SettingName name = settingNameOf(std::string(py::str(key)), "");
        const auto index = static_cast<std::size_t>(sliderIndex(name.slider->slider));
        builder.assign(std::string(name.slider->name) + "=" + std::to_string(settings.positions[index]));
    }
    return builder;
}

// The ground of a profile CSV; "-" is a file like any other here, not standard input.
Ground csvGround(const py::object& path) {
    std::string file = py::module_::import("os").attr("fsencode")(path).cast<std::string>();
    if (file == "-") file = "./-";
    try {
        return readGround({.profileFile = file});
    } catch (const std::system_error& e) {
        raiseOsError(e.code(), e.what(), file);
    }
}

// As the tool loads them for a path with sites: none, with a UserWarning, when not installed.
MapsInUse mapsOfPath(const py::object& maps) {
    MapsInUse installed = installedMaps(maps);
    if (!installed && PyErr_WarnEx(PyExc_UserWarning, std::string(kMissingMapsNote).c_str(), 1) != 0)
        throw py::error_already_set();
    return installed;
}

py::dict profileFunction(const py::object& ground, const py::object& mast1, const py::object& mast2,
                         const py::object& availability, const py::object& percent, const py::object& deltaN,
                         const py::object& n0, const py::object& climateZone, const py::object& requiredSnrDb,
                         const py::object& maps, const py::object& powerDividedBy1000, const py::kwargs& keywords) {
    const bool withAvailability = flagValue(availability, "availability");
    const bool power = flagValue(powerDividedBy1000, "power_div_1000");
    const std::optional<AvailabilityOptions> options =
        availabilityOptions(withAvailability, {percent, deltaN, n0, climateZone, requiredSnrDb});
    const double mast1M = mastHeight(kMast1Option, "s1_mast_m", mast1);
    const double mast2M = mastHeight(kMast2Option, "s2_mast_m", mast2);
    const SettingsBuilder requested = requestedSettings(keywords, power);

    Ground read;
    if (py::isinstance<TerrainProfile>(ground)) {
        read = ground.cast<const TerrainProfile&>().ground;
    } else {
        if (!PyUnicode_Check(ground.ptr()) && !py::isinstance(ground, py::module_::import("os").attr("PathLike")))
            throw py::type_error("profile_or_csv_path: a Profile or a CSV path (str or os.PathLike), not " +
                                 std::string(py::str(ground.get_type().attr("__name__"))));
        read = csvGround(ground);
    }
    const PlacedProfile* placed = read.placed ? &*read.placed : nullptr;
    const std::vector<profile::ProfilePoint>& used = read.points;
    const profile::ProfileSettings derived = groundSettings(read, mast1M, mast2M);
    const MapsInUse inUse = placed ? mapsOfPath(maps) : nullptr;
    HeadlessWindow window;
    const ProfileAnswer a = answerProfile({used, placed}, derived, requested, options ? &*options : nullptr, inUse, window);
    py::dict d = profileObject(a, window, placed);
    if (options) {
        const PlanMechanisms m =
            profileMechanisms(read, a, *options, placed ? installedPlanMaps(maps) : PlanMaps{}, {mast1M, mast2M});
        d[py::str(std::string(itur::methodNames(itur::ItuMethod::P2001All).json))] =
            py::module_::import("json").attr("loads")(mechanismsJsonText(m));
    }
    return d;
}

constexpr const char* kProfileDoc = R"doc(Horizons, settings and one pass from a terrain profile: what
`tropolink-cli profile --json` prints, as dicts, lists, floats, ints, str, bool and None.

profile_or_csv_path: a Profile from terrain_profile() (then "path" and "climate" appear, as with
`profile --from --to --dem`), or the path of a profile CSV (str or os.PathLike), as
`profile FILE` reads it. s1_mast_m, s2_mast_m: each antenna above its ground, m.
availability=True adds P.617 and P.2001 on the profile's geometry, and "p2001All": the
complete P.2001 in both directions where the path has sites and its 14 maps are installed
(else "ran" False and the "reason"); percent, delta_n, n0,
climate_zone and required_snr_db are its options, as availability() takes them, and
refused without it. maps: the ITU-R maps' folder (None: where the tool looks); without
maps a UserWarning says what they would give. power_div_1000 and the other keywords as
for calculate(), for the sliders the profile does not fix. ValueError with the tool's
message for a refused value, profile or map; OSError when the CSV cannot be read;
TypeError for a flag that is not a bool.)doc";

}  // namespace

void addProfileFunction(py::module_& m) {
    m.def("profile", profileFunction, py::arg("profile_or_csv_path"), py::arg("s1_mast_m") = 10, py::arg("s2_mast_m") = 10,
          py::kw_only(), py::arg("availability") = false, py::arg("percent") = py::none(),
          py::arg("delta_n") = py::none(), py::arg("n0") = py::none(), py::arg("climate_zone") = py::none(),
          py::arg("required_snr_db") = py::none(), py::arg("maps") = py::none(), py::arg("power_div_1000") = false,
          kProfileDoc);
}

}  // namespace tropolink::python
