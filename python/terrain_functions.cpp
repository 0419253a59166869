#include "python/terrain_functions.h"

#include <pybind11/numpy.h>
#include <pybind11/stl.h>

#include <cmath>
#include <string>
#include <vector>

#include "grammar/number_position.h"
#include "grammar/option_ranges.h"
#include "python/keyword_settings.h"
#include "python/profile_objects.h"
#include "terrain/site.h"
#include "terrain/terrain_error.h"

namespace py = pybind11;

namespace tropolink::python {
namespace {

std::string typeName(const py::handle value) { return py::str(value.get_type().attr("__name__")); }

}  // namespace

// "LAT,LON" text, or two real numbers in a tuple, list or array; checked by
// the tool's own reading, so both forms give the same refusals.
terrain::Site siteOf(const py::object& value, const char* name) {
    if (PyUnicode_Check(value.ptr())) return terrain::parseSite(value.cast<std::string>(), name);
    const bool sequence = py::isinstance<py::tuple>(value) || py::isinstance<py::list>(value) ||
                          py::isinstance<py::array>(value);
    if (!sequence) throw py::type_error(std::string(name) + ": (lat, lon) or \"LAT,LON\", not " + typeName(value));
    // NumPy would read (True, 2.5) as two floats.
    if (!py::isinstance<py::array>(value))
        for (const py::handle item : value)
            if (PyBool_Check(item.ptr()) || py::isinstance(item, py::module_::import("numpy").attr("bool_")))
                throw py::type_error(std::string(name) + ": two real numbers (lat, lon), not a bool");
    const py::array a = py::module_::import("numpy").attr("asarray")(value);
    const char kind = a.dtype().kind();
    if (kind != 'i' && kind != 'u' && kind != 'f')
        throw py::type_error(std::string(name) + ": two real numbers (lat, lon), not " + std::string(py::str(a.dtype())));
    if (a.ndim() != 1 || a.size() != 2)
        throw py::value_error(std::string(name) + ": two numbers (lat, lon), not " + std::to_string(a.size()));
    const auto d = py::array_t<double, py::array::c_style | py::array::forcecast>::ensure(a);
    const double lat = d.data()[0];
    const double lon = d.data()[1];
    const auto text = [](double v) { return std::isfinite(v) ? plainDecimal(v) : std::string(py::str(py::float_(v))); };
    return terrain::parseSite(text(lat) + "," + text(lon), name);
}

std::vector<std::string> demPaths(const py::object& dem) {
    const py::module_ os = py::module_::import("os");
    const bool one = PyUnicode_Check(dem.ptr()) || py::isinstance(dem, os.attr("PathLike"));
    std::vector<std::string> paths;
    const auto add = [&](const py::handle path) {
        if (!PyUnicode_Check(path.ptr()) && !py::isinstance(path, os.attr("PathLike")))
            throw py::type_error("dem: a path (str or os.PathLike) or a list of them, not " + typeName(path));
        paths.push_back(os.attr("fsencode")(path).cast<std::string>());
    };
    if (one) {
        add(dem);
    } else if (py::isinstance<py::list>(dem) || py::isinstance<py::tuple>(dem)) {
        for (const py::handle path : dem) add(path);
    } else {
        throw py::type_error("dem: a path (str or os.PathLike) or a list of them, not " + typeName(dem));
    }
    if (paths.empty()) throw py::value_error("dem: no path given (allowed: one or more DEM files or folders)");
    return paths;
}

namespace {

py::array_t<double> array(const std::vector<double>& values) { return py::array_t<double>(py::cast(values)); }

const PlacedProfile& placed(const TerrainProfile& p) { return *p.ground.placed; }

// Bearings read clockwise from north, 0 to 360, as the path report gives them.
double bearing(double azimuthDeg) { return azimuthDeg < 0 ? azimuthDeg + 360 : azimuthDeg; }

TerrainProfile terrainProfile(const py::object& site1, const py::object& site2, const py::object& dem,
                              const py::object& stepM, const py::object& seaWhereMissing, const py::object& fillVoids) {
    terrain::ProfileOptions options;
    options.seaWhereMissing = flagValue(seaWhereMissing, "sea_where_missing");
    options.fillVoids = flagValue(fillVoids, "fill_voids");
    const terrain::Site s1 = siteOf(site1, "site1");
    const terrain::Site s2 = siteOf(site2, "site2");
    const std::vector<std::string> dems = demPaths(dem);
    if (!stepM.is_none()) {
        NumberOption step = kStepOption;
        step.name = "step_m";
        options.stepM = readNumberOption(step, valueText(stepM, "step_m", "a real number"));
    }
    const py::gil_scoped_release release;
    return {readGround({.dems = dems, .sites = std::pair{s1, s2}, .options = options})};
}

constexpr const char* kTerrainProfileDoc = R"doc(The ground between two sites from elevation rasters, as
`tropolink-cli profile --from --to --dem` reads it.

site1, site2: (lat, lon) in decimal degrees (a tuple, list or array of two real numbers)
or "LAT,LON" text. dem: a raster or a folder of SRTM tiles (str or os.PathLike), or a
list of them, searched in order. step_m: the spacing of the points, as --step-m (None:
the finest post spacing of the DEMs the path meets). sea_where_missing, fill_voids: as
the tool's flags; bools only. The GIL is released while the rasters are read.

Returns a Profile: float64 arrays distance_km, height_m, lat, lon; length_km, the
bearings azimuth1_deg and azimuth2_deg (0 to 360), step_m, dem_files, and sea and voids
({"count": n, "first": {...} or None}). ValueError with the tool's message for a refused
site, DEM, step or path; TypeError for a flag that is not a bool.)doc";

}  // namespace

void addTerrainFunctions(py::module_& m) {
    py::class_<TerrainProfile>(m, "Profile", "The ground between two sites, from terrain_profile().")
        .def_property_readonly("distance_km", [](const TerrainProfile& p) { return array(placed(p).path.distanceKm); })
        .def_property_readonly("height_m", [](const TerrainProfile& p) { return array(placed(p).path.heightM); })
        .def_property_readonly("lat", [](const TerrainProfile& p) { return array(placed(p).path.latDeg); })
        .def_property_readonly("lon", [](const TerrainProfile& p) { return array(placed(p).path.lonDeg); })
        .def_property_readonly("site1", [](const TerrainProfile& p) { return py::make_tuple(placed(p).site1.latDeg, placed(p).site1.lonDeg); })
        .def_property_readonly("site2", [](const TerrainProfile& p) { return py::make_tuple(placed(p).site2.latDeg, placed(p).site2.lonDeg); })
        .def_property_readonly("length_km", [](const TerrainProfile& p) { return placed(p).path.lengthKm; })
        .def_property_readonly("azimuth1_deg", [](const TerrainProfile& p) { return bearing(placed(p).path.azimuth1Deg); })
        .def_property_readonly("azimuth2_deg", [](const TerrainProfile& p) { return bearing(placed(p).path.azimuth2Deg); })
        .def_property_readonly("step_m", [](const TerrainProfile& p) { return placed(p).path.stepM; })
        .def_property_readonly("dem_files", [](const TerrainProfile& p) { return placed(p).path.demFilesUsed; })
        .def_property_readonly("sea", [](const TerrainProfile& p) { return gapObject(placed(p).path.sea); })
        .def_property_readonly("voids", [](const TerrainProfile& p) { return gapObject(placed(p).path.voids); })
        .def("__len__", [](const TerrainProfile& p) { return placed(p).points.size(); })
        .def("__repr__", [](const TerrainProfile& p) {
            return "<tropolink.Profile " + std::to_string(placed(p).points.size()) + " points, " +
                   std::string(py::str(py::float_(placed(p).path.lengthKm))) + " km>";
        });
    m.def("terrain_profile", terrainProfile, py::arg("site1"), py::arg("site2"), py::arg("dem"),
          py::arg("step_m") = py::none(), py::arg("sea_where_missing") = false, py::arg("fill_voids") = false,
          kTerrainProfileDoc);
}

}  // namespace tropolink::python
