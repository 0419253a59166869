#include "python/coverage_function.h"

#include <pybind11/numpy.h>
#include <pybind11/stl.h>

#include <atomic>
#include <cstring>
#include <filesystem>

#include "batch/jobs_option.h"
#include "climate/map_error.h"
#include "climate/maps_service.h"
#include "coverage/coverage_request.h"
#include "coverage/coverage_run.h"
#include "coverage/plan_coverage.h"
#include "coverage/run_metadata.h"
#include "python/keyword_settings.h"
#include "python/plan_objects.h"
#include "python/terrain_functions.h"

namespace py = pybind11;

namespace tropolink::python {
namespace {

using namespace coverage;

// A number read as the command line reads its option, refusals naming the keyword.
double numberOf(const py::handle value, NumberOption option, std::string_view keyword) {
    option.name = keyword;
    return readNumberOption(option, valueText(value, keyword, allowedValues(option)));
}

std::string textOf(const py::handle value, const char* keyword, const char* allowed) {
    if (!PyUnicode_Check(value.ptr()))
        throw py::type_error(std::string(keyword) + ": " + allowed + ", not " +
                             std::string(py::str(value.get_type().attr("__name__"))));
    return value.cast<std::string>();
}

std::vector<double> percentsOf(const py::object& percent) {
    std::vector<double> percents;
    if (py::isinstance<py::list>(percent) || py::isinstance<py::tuple>(percent) || py::isinstance<py::array>(percent)) {
        for (const py::handle p : percent) percents.push_back(numberOf(p, kPercentOption, "percent"));
    } else {
        percents.push_back(numberOf(percent, kPercentOption, "percent"));
    }
    if (percents.empty()) throw py::value_error("percent: none given (allowed: " + allowedValues(kPercentOption) + ")");
    return percents;
}

// The plan argument: a tropolink.Plan, or a plan file's path. A file that
// cannot be read raises OSError, as Plan.load; what the plan reader refuses,
// or a plan a map cannot take, is a ValueError.
PlanCoverage planOf(const py::handle& value) {
    if (auto object = planOfObject(value))
        return planCoverage(object->checked, "plan", object->file.empty() ? "(made from keywords)" : object->file);
    // fspath first: io.open would take a number for a file descriptor.
    const py::object fspath = py::module_::import("os").attr("fspath")(value);
    py::module_::import("io").attr("open")(fspath, "rb").attr("close")();
    const std::string path = py::str(fspath);
    try {
        return readPlanCoverage(path, "plan");
    } catch (const PlanError& e) {
        throw py::value_error(e.what());
    }
}

// With a plan, the arguments it gives may be left out; those given must agree with it.
CoverageRequest requestOf(const py::dict& a, const py::kwargs& given, const std::optional<PlanCoverage>& plan) {
    CoverageRequest r;
    std::vector<GivenField> fields;
    // Whether to read the argument: given, or needed (or defaulted) without a plan.
    const auto read = [&](const char* keyword, PlanField field) {
        const bool isGiven = given.contains(keyword);
        if (isGiven) fields.push_back({field, keyword});
        return isGiven || !plan;
    };
    if (read("site", PlanField::Site)) r.grid.site = siteOf(a["site"], "site");
    r.grid.radiusKm = numberOf(a["radius_km"], kRadiusOption, "radius_km");
    r.grid.cellM = numberOf(a["cell_m"], kCellOption, "cell_m");
    if (read("dem", PlanField::Dems)) r.dems = demPaths(a["dem"]);
    if (read("frequency_mhz", PlanField::Frequency))
        r.frequencyMhz = numberOf(a["frequency_mhz"], kFrequencyOption, "frequency_mhz");
    const bool percentsGiven = given.contains("percent");
    if (percentsGiven || !plan) r.percents = percentsOf(a["percent"]);
    if (read("s1_mast_m", PlanField::Mast1)) r.mast1M = numberOf(a["s1_mast_m"], kMast1Option, "s1_mast_m");
    if (read("s2_mast_m", PlanField::Mast2)) r.mast2M = numberOf(a["s2_mast_m"], kMast2Option, "s2_mast_m");
    if (read("s1_gain_dbi", PlanField::Gain1)) r.gain1Dbi = numberOf(a["s1_gain_dbi"], kGain1Option, "s1_gain_dbi");
    if (read("s2_gain_dbi", PlanField::Gain2)) r.gain2Dbi = numberOf(a["s2_gain_dbi"], kGain2Option, "s2_gain_dbi");
    r.method = parseMethod(textOf(a["method"], "method", "p2001-all, p617 or p2001-troposcatter"), "method");
    if (read("polarisation", PlanField::Polarisation))
        r.polarisation =
            parsePolarisation(textOf(a["polarisation"], "polarisation", "vertical or horizontal"), "polarisation");
    if (!a["sector"].is_none()) r.sector = parseSector(textOf(a["sector"], "sector", "\"AZIMUTH,WIDTH\""));
    if (read("step_m", PlanField::Step) && !a["step_m"].is_none())
        r.profile.stepM = numberOf(a["step_m"], kStepOption, "step_m");
    if (read("sea_where_missing", PlanField::SeaWhereMissing))
        r.profile.seaWhereMissing = flagValue(a["sea_where_missing"], "sea_where_missing");
    if (read("fill_voids", PlanField::FillVoids)) r.profile.fillVoids = flagValue(a["fill_voids"], "fill_voids");
    return plan ? withPlan(*plan, r, percentsGiven, fields) : r;
}

py::dict metadataOf(const std::vector<MetadataItem>& items) {
    py::dict d;
    for (const auto& [name, value] : items) d[py::str(name)] = value;
    return d;
}

py::dict coverage(const py::kwargs& given) {
    // Defaults as the command line's.
    py::dict a;
    for (const auto& [name, value] : std::initializer_list<std::pair<const char*, py::object>>{
             {"s1_gain_dbi", py::int_(0)},     {"s2_gain_dbi", py::int_(0)},       {"polarisation", py::str("vertical")},
             {"method", py::str("p2001-all")}, {"sector", py::none()},             {"maps", py::none()},
             {"step_m", py::none()},           {"sea_where_missing", py::bool_(false)}, {"fill_voids", py::bool_(false)},
             {"jobs", py::none()}, {"plan", py::none()}})
        a[name] = value;
    for (const auto& [name, value] : given) a[name] = value;
    const bool withPlan = !a["plan"].is_none();
    for (const char* needed : {"radius_km", "cell_m", "site", "dem", "frequency_mhz", "percent", "s1_mast_m", "s2_mast_m"})
        if (!given.contains(needed) && (!withPlan || needed == std::string_view("radius_km") || needed == std::string_view("cell_m")))
            throw py::type_error(std::string("coverage: missing the argument ") + needed);

    std::optional<PlanCoverage> plan;
    if (withPlan) plan = planOf(a["plan"]);
    const CoverageRequest request = requestOf(a, given, plan);
    const int jobs = a["jobs"].is_none() ? jobsOrDefault(std::nullopt) : parseJobs(valueText(a["jobs"], "jobs", "1 to 256"));
    std::optional<std::filesystem::path> maps;
    // The file system's own bytes, also for names that are not valid UTF-8.
    if (!a["maps"].is_none()) maps = std::filesystem::path(py::module_::import("os").attr("fsencode")(a["maps"]).cast<std::string>());
    CoverageMaps found;
    try {
        found = findCoverageMaps(request.method, maps);
    } catch (const climate::MapError& e) {
        PyErr_SetString(PyExc_ValueError, e.what());
        throw py::error_already_set();
    } catch (const climate::InstallError& e) {
        PyErr_SetString(PyExc_FileNotFoundError, e.what());
        throw py::error_already_set();
    }
    PreparedCoverage prepared = prepareCoverage(request, std::move(found));
    const CoverageSetup& setup = prepared.setup;

    const auto bands = static_cast<py::ssize_t>(setup.method->percents().size());
    const py::ssize_t rows = setup.grid.rows(), cols = setup.grid.cols();
    py::array_t<float> values({bands, rows, cols});
    float* out = values.mutable_data();
    std::atomic<bool> stop{false};
    bool interrupted = false;
    CoverageSummary summary;
    {
        const py::gil_scoped_release released;
        RunControl control{.jobs = jobs, .stop = &stop};
        // On the calling thread, about twice a second: the one place Python's signal handlers may run.
        control.progress = [&](const CoverageProgress&) {
            const py::gil_scoped_acquire held;
            if (PyErr_CheckSignals() != 0) interrupted = true, stop = true;
        };
        try {
            summary = computeCoverage(setup, control, [&](int first, int count, std::span<const float> cells) {
                for (py::ssize_t r = 0; r < count; ++r)
                    for (py::ssize_t c = 0; c < cols; ++c)
                        for (py::ssize_t b = 0; b < bands; ++b)
                            out[(b * rows + first + r) * cols + c] = cells[static_cast<std::size_t>((r * cols + c) * bands + b)];
            });
        } catch (const CoverageStopped&) {
            if (!interrupted) throw;
        }
    }
    if (interrupted) throw py::error_already_set();

    CoverageOutputs outputs{.demInputs = request.dems};
    const TiffContents contents = tiffContents(setup, outputs);
    std::vector<MetadataItem> metadata = contents.metadata;
    metadata.emplace_back(kDemFilesUsedItem, joinedNames(summary.demFilesUsed));
    py::list bandNames;
    for (const TiffBand& band : contents.bands) bandNames.append(band.description);
    py::dict counts;
    for (std::size_t k = 0; k < kCellKinds; ++k)
        counts[py::str(std::string(cellKindText(static_cast<CellKind>(k))))] = summary.counts.cells[k];
    const auto t = setup.grid.geoTransform();
    py::dict result;
    result["bands"] = values;
    result["geotransform"] = py::make_tuple(t[0], t[1], t[2], t[3], t[4], t[5]);
    result["crs"] = "EPSG:4326";
    result["percent"] = setup.method->percents();
    result["band_names"] = bandNames;
    result["metadata"] = metadataOf(metadata);
    result["counts"] = counts;
    result["seconds"] = summary.seconds;
    return result;
}

constexpr const char* kCoverageDoc = R"doc(coverage(*, site, radius_km, cell_m, dem, frequency_mhz, percent, s1_mast_m, s2_mast_m, s1_gain_dbi=0, s2_gain_dbi=0, polarisation="vertical", method="p2001-all", sector=None, maps=None, step_m=None, sea_where_missing=False, fill_voids=False, jobs=None, plan=None)

The loss from one site to every cell around it, as `tropolink-cli coverage` computes it:
each cell one path from the site (station 1) to the cell's centre over the DEM route of
`terrain_profile`. The arguments are the command's options, each checked and refused as
there (ValueError with the tool's one line). site: (lat, lon) or "LAT,LON"; percent: one
number or a list, a band each; method: "p2001-all" (the 14 maps of P.2001 required),
"p617" or "p2001-troposcatter"; sector: "AZIMUTH,WIDTH"; maps: the maps' folder; jobs:
worker threads (None: one per processor), the values the same for any.

plan: a tropolink.Plan or a plan file. Its station 1 is the site, its station 2 (mast,
gain, losses, noise, bandwidth) stands in every cell, and the bands are the S/N margin
over its required S/N in dB, from the plan's own budget, at its percentages then its
availability percentage unless percent is given. The plan gives the site, frequency,
masts, gains, polarisation and profile options; any of them given as well must agree with
it (ValueError naming both). dem and maps say where to read the ground and the maps, the
plan's DEMs where dem is not given.

The GIL is released while the cells are computed; Ctrl-C (KeyboardInterrupt) stops the
map within a second. Returns a dict: "bands", float32 array (band, row, column), north row
first, NaN for nodata; "geotransform", GDAL's six numbers (EPSG:4326, "crs"); "percent";
"band_names"; "metadata", what the GeoTIFF's would hold; "counts", the cells of each kind
(computed, and each kind of nodata); "seconds".)doc";

}  // namespace

void addCoverageFunction(py::module_& m) { m.def("coverage", coverage, kCoverageDoc); }

}  // namespace tropolink::python
