#include "python/itu_availability.h"

#include <pybind11/numpy.h>

#include <cmath>
#include <string>

#include "grammar/number_position.h"
#include "link/availability_link.h"
#include "link/availability_options.h"
#include "link/pass_window.h"
#include "python/keyword_settings.h"
#include "report/availability_json.h"
#include "report/availability_notes.h"
#include "report/fading_report.h"
#include "report/json_writer.h"

namespace py = pybind11;

namespace tropolink::python {
namespace {

// As the JSON writes a number: None for no figure or a value that is not finite.
py::object number(std::optional<double> value) {
    if (!value || !std::isfinite(*value)) return py::none();
    return py::float_(*value);
}

py::list rows(const itur::MethodAnswer& method) {
    py::list list;
    for (const itur::PercentFigures& row : method.rows) {
        py::dict d;
        d["percent"] = number(row.percent);
        d["verdict"] = std::string(verdictText(row.verdict));
        d["loss"] = number(row.loss);
        d["fadeMargin"] = number(row.fadeMargin);
        d["snrAtStation1"] = number(row.snrAtStation1);
        d["snrAtStation2"] = number(row.snrAtStation2);
        list.append(d);
    }
    return list;
}

py::dict station(const itur::StationAvailability& s) {
    py::dict d;
    d["percent"] = number(s.percent);
    d["outageMinutesPerYear"] = number(s.outageMinutesPerYear);
    if (s.bound != itur::AvailabilityBound::None) d["bound"] = std::string(boundText(s.bound));
    return d;
}

py::dict stations(const itur::MethodAnswer& method) {
    py::dict d;
    d["atStation1"] = station((*method.availability)[0]);
    d["atStation2"] = station((*method.availability)[1]);
    return d;
}

}  // namespace

py::dict answerObject(const itur::AvailabilityAnswer& a, const PathGeometry* calculator) {
    py::dict d;
    // The keys of `availability --json`, which this dict mirrors.
    for (const itur::ItuMethod method : itur::kItuMethods)
        d[py::str(std::string(itur::methodNames(method).json))] = rows(itur::methodAnswer(a, method));
    const itur::ScatterGeometry& g = a.geometry;
    py::dict geometry;
    geometry["effectiveEarthRadiusKm"] = number(g.effectiveEarthRadiusKm);
    geometry["thetaTMrad"] = number(g.thetaTMrad);
    geometry["thetaRMrad"] = number(g.thetaRMrad);
    geometry["scatterAngleMrad"] = number(g.scatterAngleMrad());
    geometry["lineOfSight"] = g.lineOfSight();
    geometry["commonVolumeHeightKm"] = number(a.commonVolumeHeightKm);
    if (calculator) {
        geometry["calculatorScatteringAngleDeg"] = number(calculator->scatteringAngle);
        geometry["calculatorEffectiveEarthRadiusKm"] = number(calculator->effectiveEarthRadius);
    }
    d["geometry"] = geometry;
    if (a.p617.availability && a.p2001.availability) {
        py::dict availability;
        for (const itur::ItuMethod method : itur::kItuMethods)
            availability[py::str(std::string(itur::methodNames(method).json))] = stations(itur::methodAnswer(a, method));
        d["availability"] = availability;
    }
    if (a.fading) {
        // The writer's own object, so that the keys and numbers are those of --json.
        std::string text = "{";
        JsonWriter json(text);
        writeFading(json, a);
        text += "}";
        d["fading"] = py::module_::import("json").attr("loads")(text)["fading"];
    }
    py::list notes;
    for (const std::string& note : availabilityNotes(a)) notes.append(note);
    d["notes"] = notes;
    return d;
}

std::vector<std::string> percentTexts(const py::object& percent) {
    if (PyBytes_Check(percent.ptr()) || PyByteArray_Check(percent.ptr()) || PyUnicode_Check(percent.ptr()))
        throw py::value_error("percent: a real number or a sequence or array of them, not " +
                              std::string(py::str(percent.get_type().attr("__name__"))));
    const py::array a = py::module_::import("numpy").attr("asarray")(percent);
    const char kind = a.dtype().kind();
    if (kind != 'i' && kind != 'u' && kind != 'f')
        throw py::value_error("percent: real numbers only, not " + std::string(py::str(a.dtype())));
    if (a.size() == 0) throw py::value_error("percent: empty; give at least one percentage");
    const auto doubles = py::array_t<double, py::array::c_style | py::array::forcecast>::ensure(a);
    std::vector<std::string> texts;
    for (py::ssize_t i = 0; i < doubles.size(); ++i) {
        const double p = doubles.data()[i];
        texts.push_back(std::isfinite(p) ? plainDecimal(p) : std::string(py::str(py::float_(p))));
    }
    return texts;
}

namespace {

py::object availability(const py::object& percent, const py::object& requiredSnrDb, const py::object& deltaN,
                        const py::object& n0, const py::object& groundHeightKm, const py::object& climateZone,
                        const py::object& diversityOrder, const py::object& combiner,
                        const py::object& branchCorrelation, bool powerDividedBy1000, const py::kwargs& settings) {
    AvailabilityArguments arguments;
    if (!percent.is_none()) arguments.percents = percentTexts(percent);
    if (!requiredSnrDb.is_none()) arguments.requiredSnr.push_back(valueText(requiredSnrDb));
    arguments.deltaN.push_back(valueText(deltaN));
    if (!n0.is_none()) arguments.n0.push_back(valueText(n0));
    arguments.groundHeightKm.push_back(valueText(groundHeightKm));
    arguments.climateZone.push_back(valueText(climateZone));
    if (!diversityOrder.is_none()) arguments.diversityOrder.push_back(std::string(py::str(diversityOrder)));
    if (!combiner.is_none()) arguments.combiner.push_back(std::string(py::str(combiner)));
    if (!branchCorrelation.is_none()) arguments.branchCorrelation.push_back(valueText(branchCorrelation));
    const AvailabilityOptions options = validateAvailabilityOptions(arguments);
    const Settings s = settingsFromKeywords(settings, powerDividedBy1000);
    HeadlessWindow window;
    const PassValues values = runPass(window, s);
    return answerObject(availabilityAnswer(values, options), &values.geometry);
}

}  // namespace

void addAvailabilityFunction(py::module_& m) {
    m.def("availability", availability, py::kw_only(), py::arg("percent") = py::none(),
          py::arg("required_snr_db") = py::none(), py::arg("delta_n") = 40, py::arg("n0") = py::none(),
          py::arg("ground_height_km") = 0,
          py::arg("climate_zone") = 6, py::arg("diversity_order") = py::none(), py::arg("combiner") = py::none(),
          py::arg("branch_correlation") = py::none(), py::arg("power_div_1000") = false,
          R"doc(Loss over the year, fade margins, signal-to-noise and availability of the link that
the settings give, by both ITU-R methods: the object that
`tropolink-cli availability --json` prints, as dicts, lists, floats and None.

Settings are keywords as for calculate(). percent: one percentage, or a sequence or
array of any shape of them (rows in flattened order), real numbers strictly between 0
and 100 (default 50, 90, 99, 99.9, 99.99); ValueError for an empty one, bytes or text.
required_snr_db: the signal-to-noise needed, dB, -50 to 100; adds the availability of
each station. delta_n: refractivity lapse rate, any decimal from 20 to 80 N-units/km; n0: sea-level refractivity for P.617, 250 to 450 N-units (default: the surface refractivity slider).
ground_height_km: ground under the common volume, 0 to 5 km. climate_zone: 1 to 7, as
for p2001_loss. diversity_order (1, 2 or 4), combiner ("selection" or "maximal-ratio")
and branch_correlation (0 to 0.99, dual only): any of them adds "fading", fading within
the hour beside the hourly-median-only figures. Each row has a "verdict" ("valid", "outOfRange", "lineOfSight"); None
marks a figure a method does not give; "notes" lists why and where the figures
mislead. ValueError with the tool's message for a refused setting or option.)doc");
}

}  // namespace tropolink::python
