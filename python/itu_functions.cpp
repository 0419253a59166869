#include "python/itu_functions.h"

#include <pybind11/numpy.h>

#include <limits>
#include <string>

#include "report/availability_json.h"
#include "link/availability_link.h"
#include "link/availability_options.h"
#include "link/input_error.h"
#include "link/number_position.h"
#include "link/pass_window.h"
#include "itur/p2001_method.h"
#include "itur/p617_method.h"
#include "python/keyword_settings.h"

namespace py = pybind11;

namespace tropolink::python {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

void checkPercent(double p) {
    if (!(p > 0 && p < 100))
        throw InputError("p=" + plainDecimal(p), "out of range", "strictly between 0 and 100");
}

double p617(double fMhz, double dKm, double thetaT, double thetaR, double hts, double hrs, double gt, double gr,
            double n0, double deltaN, double hsKm, double p, double aeKm, bool revised) {
    checkPercent(p);
    const itur::P617Path path{.fMhz = fMhz, .dKm = dKm, .aeKm = aeKm, .thetaTMrad = thetaT, .thetaRMrad = thetaR,
                              .htsM = hts, .hrsM = hrs, .gtDbi = gt, .grDbi = gr, .n0 = n0, .deltaN = deltaN,
                              .hsKm = hsKm, .revisedAngleTerm = revised};
    return itur::p617Loss(path, p).value().value_or(kNaN);
}

double p2001(double fGhz, double p, double dKm, double thetaE, double thetaT, double thetaR, double aeKm, long zone,
             double gt, double gr) {
    checkPercent(p);
    if (zone < 1 || zone > itur::kClimateZoneCount)
        throw InputError("climate_zone=" + std::to_string(zone), "out of range", "1 to 7");
    (void)thetaE;
    const itur::P2001Path path{.fMhz = fGhz * 1000, .dKm = dKm, .aeKm = aeKm, .thetaTMrad = thetaT,
                               .thetaRMrad = thetaR, .zone = static_cast<itur::ClimateZone>(zone), .gtDbi = gt,
                               .grDbi = gr};
    return itur::p2001Loss(path, p).value().value_or(kNaN);
}

// The availability answer as `tropolink-cli availability --json` prints it.
py::object availability(const py::object& percent, const py::object& requiredSnrDb, const py::object& deltaN,
                        const py::object& groundHeightKm, const py::object& climateZone, bool powerDividedBy1000,
                        const py::kwargs& settings) {
    AvailabilityArguments arguments;
    if (!percent.is_none()) {
        if (py::isinstance<py::str>(percent) || !py::hasattr(percent, "__iter__"))
            arguments.percents.push_back(valueText(percent));
        else
            for (const py::handle p : percent) arguments.percents.push_back(valueText(p));
    }
    if (!requiredSnrDb.is_none()) arguments.requiredSnr.push_back(valueText(requiredSnrDb));
    arguments.deltaN.push_back(valueText(deltaN));
    arguments.groundHeightKm.push_back(valueText(groundHeightKm));
    arguments.climateZone.push_back(valueText(climateZone));
    const AvailabilityOptions options = validateAvailabilityOptions(arguments);
    const Settings s = settingsFromKeywords(settings, powerDividedBy1000);
    HeadlessWindow window;
    std::string json;
    appendAvailabilityLine(json, availabilityAnswer(runPass(window, s), options));
    return py::module_::import("json").attr("loads")(json);
}

}  // namespace

void addItuFunctions(py::module_& m) {
    m.def("p617_loss", py::vectorize(p617), py::arg("f_mhz"), py::arg("d_km"), py::arg("theta_t_mrad"),
          py::arg("theta_r_mrad"), py::arg("hts_m"), py::arg("hrs_m"), py::arg("gt_dbi"), py::arg("gr_dbi"),
          py::arg("n0"), py::arg("delta_n"), py::arg("hs_km"), py::arg("p"), py::arg("ae_km"),
          py::arg("revised_angle_term") = false,
          R"doc(Basic transmission loss not exceeded for p % of an average year, dB, by the
method for trans-horizon radio-relay systems (ITU-R P.617), floored at free space.

f_mhz: frequency, MHz. d_km: path length, km. theta_t_mrad, theta_r_mrad: horizon
elevation angles of the transmitting and receiving station, mrad (negative below
the horizontal). hts_m, hrs_m: antenna altitudes, m above sea level. gt_dbi, gr_dbi:
antenna gains, dBi. n0: sea-level surface refractivity, N-units. delta_n: refractivity
lapse rate, N-units/km. hs_km: ground height under the common volume, km. p: percentage
of the year, 0 < p < 100. ae_km: effective earth radius, km. revised_angle_term: use
17.5*log10(theta**2 + 4) in place of 35*log10(theta).

Every argument may be an array; NumPy broadcasting applies. NaN where the path is line
of sight (scatter angle <= 0). ValueError when a p is not strictly between 0 and 100.)doc");
    m.def("p2001_loss", py::vectorize(p2001), py::arg("f_ghz"), py::arg("p"), py::arg("d_km"), py::arg("theta_e_rad"),
          py::arg("theta_t_mrad"), py::arg("theta_r_mrad"), py::arg("ae_km"), py::arg("climate_zone"),
          py::arg("gt_dbi"), py::arg("gr_dbi"),
          R"doc(Basic transmission loss not exceeded for p % of an average year, dB, by the
climate-zone troposcatter method (ITU-R P.2001 Attachment E), floored at free space.

f_ghz: frequency, GHz. p: percentage of the year, 0 < p < 100. d_km: path length, km.
theta_e_rad: angle the path subtends at the earth's centre, d/ae, rad. theta_t_mrad,
theta_r_mrad: horizon elevation angles, mrad. ae_km: effective earth radius, km.
climate_zone: 1 equatorial, 2 continental sub-tropical, 3 maritime sub-tropical,
4 desert, 5 continental temperate, 6 maritime temperate over land, 7 maritime
temperate over sea. gt_dbi, gr_dbi: antenna gains, dBi.

Every argument may be an array; NumPy broadcasting applies. NaN where the path is line
of sight. ValueError for a p outside (0, 100) or a zone outside 1..7.)doc");
    m.def("availability", availability, py::kw_only(), py::arg("percent") = py::none(),
          py::arg("required_snr_db") = py::none(), py::arg("delta_n") = 40, py::arg("ground_height_km") = 0,
          py::arg("climate_zone") = 6, py::arg("power_div_1000") = false,
          R"doc(Loss over the year, fade margins, signal-to-noise and availability of the link that
the settings give, by both ITU-R methods: the object that
`tropolink-cli availability --json` prints, as dicts, lists, floats and None.

Settings are keywords as for calculate(). percent: one percentage or a sequence of them,
each strictly between 0 and 100 (default 50, 90, 99, 99.9, 99.99). required_snr_db: the
signal-to-noise needed, dB, -50 to 100; adds the availability of each station. delta_n:
refractivity lapse rate, 20 to 80 N-units/km in steps of 0.1. ground_height_km: ground
under the common volume, 0 to 5 km. climate_zone: 1 to 7, as for p2001_loss. None marks
a figure a method does not give (line of sight). ValueError with the tool's message for a
refused setting or option.)doc");
}

}  // namespace tropolink::python
