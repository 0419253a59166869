#include "python/climate_functions.h"

#include <pybind11/numpy.h>

#include <array>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "climate/lookup.h"
#include "climate/map_error.h"
#include "climate/maps_folder.h"
#include "climate/maps_service.h"
#include "grammar/number_text.h"
#include "python/itu_arguments.h"

namespace py = pybind11;

namespace tropolink::python {
namespace {

namespace fs = std::filesystem;

constexpr double kMaxLatitudeDeg = 90;
constexpr double kMinLongitudeDeg = -180;
constexpr double kMaxLongitudeDeg = 360;  // the 1.5° maps run from 0° to 360° E
constexpr std::uint8_t kSeaZoneOption = 7;

[[noreturn]] void raise(PyObject* type, const std::string& message) {
    PyErr_SetString(type, message.c_str());
    throw py::error_already_set();
}

// The climate maps through the service every front end shares; a refused map
// is a ValueError naming the file.
MapsInUse climateMaps(const std::optional<fs::path>& mapsOption, bool required) {
    try {
        climate::MapsService& service = climate::MapsService::shared();
        return required ? service.require(climate::MapSetId::Climate, mapsOption)
                        : service.find(climate::MapSetId::Climate, mapsOption);
    } catch (const climate::MapError& e) {
        raise(PyExc_ValueError, e.what());
    } catch (const climate::InstallError& e) {
        raise(PyExc_FileNotFoundError, std::string(e.what()) + "; " + std::string(climate::kMapsInstallHint));
    }
}

std::optional<fs::path> mapsOption(const py::object& maps) {
    if (maps.is_none()) return std::nullopt;
    // The file system's own bytes, also for names that are not valid UTF-8.
    return fs::path(py::module_::import("os").attr("fsencode")(maps).cast<std::string>());
}

std::string indexText(const py::array& array, std::size_t flat) {
    if (array.ndim() == 0) return "";
    std::vector<std::size_t> index(static_cast<std::size_t>(array.ndim()));
    for (std::size_t axis = index.size(); axis-- > 0;) {
        const auto extent = static_cast<std::size_t>(array.shape(static_cast<py::ssize_t>(axis)));
        index[axis] = flat % extent;
        flat /= extent;
    }
    std::string text = "[";
    for (std::size_t axis = 0; axis < index.size(); ++axis) text += (axis > 0 ? ", " : "") + std::to_string(index[axis]);
    return text + "]";
}

// ValueError naming the argument, the element and the allowed range at the first value outside it.
void checkRange(const py::array_t<double>& values, const char* name, double min, double max, const char* allowed) {
    const double* v = values.data();
    const auto n = static_cast<std::size_t>(values.size());
    for (std::size_t i = 0; i < n; ++i) {
        if (v[i] >= min && v[i] <= max) continue;
        std::string message = std::string(name) + indexText(values, i) + "=";
        if (std::isnan(v[i])) {
            message += "nan: not a number";
        } else {
            appendShortest(message, v[i]);
            message += ": out of range";
        }
        raise(PyExc_ValueError, message + " (allowed: " + allowed + ")");
    }
}

py::array_t<double> doubles(const py::object& values) {
    return py::array_t<double, py::array::c_style | py::array::forcecast>::ensure(values);
}

py::object scalarOr(const py::array& array) {
    return array.ndim() == 0 ? py::object(array[py::tuple()]) : py::object(array);
}

py::dict ituMapsAt(const py::object& lat, const py::object& lon, const py::object& maps) {
    // TypeError for None, bools, texts and complex numbers, as the loss functions raise it.
    static constexpr ArgumentRule kCoordinates[] = {{"lat", ArgumentKind::Real}, {"lon", ArgumentKind::Real}};
    const py::object given[] = {lat, lon};
    broadcastArguments(kCoordinates, given);
    const py::module_ numpy = py::module_::import("numpy");
    py::array_t<double> latitudes = doubles(numpy.attr("asarray")(lat, "float64"));
    py::array_t<double> longitudes = doubles(numpy.attr("asarray")(lon, "float64"));
    checkRange(latitudes, "lat", -kMaxLatitudeDeg, kMaxLatitudeDeg, "-90 to 90 degrees north");
    checkRange(longitudes, "lon", kMinLongitudeDeg, kMaxLongitudeDeg, "-180 to 360 degrees east");
    const py::tuple both = numpy.attr("broadcast_arrays")(latitudes, longitudes);
    latitudes = doubles(both[0]);
    longitudes = doubles(both[1]);
    const MapsInUse loaded = climateMaps(mapsOption(maps), true);

    const std::vector<py::ssize_t> shape(latitudes.shape(), latitudes.shape() + latitudes.ndim());
    py::array_t<double> n0(shape);
    py::array_t<double> deltaN(shape);
    py::array_t<std::uint8_t> zoneCode(shape);
    py::array_t<std::uint8_t> climateZone(shape);
    const auto n = static_cast<std::size_t>(latitudes.size());
    const double* la = latitudes.data();
    const double* lo = longitudes.data();
    double* n0Out = n0.mutable_data();
    double* deltaNOut = deltaN.mutable_data();
    std::uint8_t* codeOut = zoneCode.mutable_data();
    std::uint8_t* zoneOut = climateZone.mutable_data();
    {
        const py::gil_scoped_release release;
        for (std::size_t i = 0; i < n; ++i) {
            const climate::ClimateValues v = climate::lookupAll(*loaded, {la[i], lo[i]});
            n0Out[i] = v.n0;
            deltaNOut[i] = v.deltaN;
            codeOut[i] = static_cast<std::uint8_t>(v.zoneCode);
            zoneOut[i] = v.zoneCode == 0 ? kSeaZoneOption : static_cast<std::uint8_t>(v.zoneCode);
        }
    }
    py::dict result;
    result["n0"] = scalarOr(n0);
    result["delta_n"] = scalarOr(deltaN);
    result["zone_code"] = scalarOr(zoneCode);
    result["climate_zone"] = scalarOr(climateZone);
    return result;
}

constexpr const char* kItuMapsAtDoc = R"doc(N0, delta-N and the climate zone from the ITU-R digital maps, as
`tropolink-cli maps at` gives them.

lat: degrees north, -90 to 90. lon: degrees east, -180 to 360. Both may be arrays of any
shape; NumPy broadcasting applies. maps: the maps folder (str or path-like); None searches
as the tool does: $TROPOLINK_MAPS, $XDG_DATA_HOME/tropolink/itu-r
(~/.local/share/tropolink/itu-r), /usr/share/tropolink/itu-r. The maps of a folder are read
once and kept until one of their files changes.

Returns a dict of arrays of the broadcast shape (NumPy scalars for scalar input):
"n0" (N-units) and "delta_n" (N-units/km), float64, bilinear on the 1.5 degree grids;
"zone_code", uint8, the map's code 0 to 6 of the nearest 0.5 degree cell; "climate_zone",
uint8, the climate_zone of p2001_loss that the code stands for (code 0, sea, is 7).
ValueError naming the argument and element for a NaN or a coordinate out of range, or
for a refused map; FileNotFoundError naming the folders looked in when the maps are
missing (install them with `tropolink-cli maps download` or `maps import`).)doc";

}  // namespace

void addClimateFunctions(py::module_& m) {
    m.def("itu_maps_at", ituMapsAt, py::arg("lat"), py::arg("lon"), py::arg("maps") = py::none(), kItuMapsAtDoc);
}

MapsInUse installedMaps(const py::object& maps) { return climateMaps(mapsOption(maps), false); }

PlanMaps installedPlanMaps(const py::object& maps) {
    PlanMaps found;
    found.climate = installedMaps(maps);
    try {
        found.folders = climate::candidateMapsFolders(mapsOption(maps));
        found.p2001All = climate::MapsService::shared().find(climate::MapSetId::P2001All, found.folders);
    } catch (const climate::MapError& e) {
        raise(PyExc_ValueError, e.what());
    }
    return found;
}

}  // namespace tropolink::python
