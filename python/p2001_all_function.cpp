#include "python/p2001_all_function.h"

#include <pybind11/numpy.h>

#include <algorithm>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "climate/map_error.h"
#include "climate/maps_service.h"
#include "itur/method_names.h"
#include "link/p2001_all.h"
#include "link/p2001_maps.h"
#include "p2001/columns.h"
#include "p2001/input_check.h"
#include "p2001/profile_zones.h"
#include "p2001/rows.h"
#include "python/itu_loops.h"
#include "python/terrain_functions.h"

namespace py = pybind11;

namespace tropolink::python {
namespace {

// Percentages a worker takes at a time: a row costs some tens of µs.
constexpr std::size_t kPercentBlock = 16;

std::string typeName(const py::handle value) { return py::str(value.get_type().attr("__name__")); }

// NumPy's kind of the value as an array: 'f' float, 'i' int, 'c' complex...
char arrayKind(const py::handle value) {
    return py::module_::import("numpy").attr("asarray")(value).attr("dtype").attr("kind").cast<char>();
}

// Numbers only: NumPy would drop a complex value's imaginary part, read
// True as 1 and fail on text with its own message.
void requireNumbers(const py::handle value, const std::string& name, std::string_view kinds = "iuf",
                    const char* allowed = "real numbers") {
    if (kinds.find(arrayKind(value)) == std::string_view::npos)
        throw py::type_error(name + ": " + allowed + ", not " + typeName(value));
}

double realNumber(const py::handle value, const std::string& name) {
    const bool number = !PyBool_Check(value.ptr()) && !py::isinstance<py::array>(value) &&
                        (PyFloat_Check(value.ptr()) || PyLong_Check(value.ptr()) ||
                         py::isinstance(value, py::module_::import("numpy").attr("floating")) ||
                         py::isinstance(value, py::module_::import("numpy").attr("integer")));
    if (!number) throw py::type_error(name + ": a real number, not " + typeName(value));
    const double v = PyFloat_AsDouble(value.ptr());
    if (v == -1 && PyErr_Occurred()) throw py::error_already_set();
    return v;
}

std::vector<double> realValues(const py::object& value, const char* name) {
    requireNumbers(value, name);
    const py::array_t<double, py::array::c_style | py::array::forcecast> a(value);
    if (a.ndim() > 1) throw py::value_error(std::string(name) + ": a number or a 1-D sequence");
    return {a.data(), a.data() + a.size()};
}

std::vector<py::ssize_t> shapeOf(const py::object& value) {
    const py::array a = py::module_::import("numpy").attr("asarray")(value);
    return {a.shape(), a.shape() + a.ndim()};
}

// The map's name as map_values keys it: the file name without ".txt".
std::string mapKey(p2001::MapFile file) {
    std::string name(p2001::mapFileName(file));
    return name.substr(0, name.size() - 4);
}

std::string_view siteKey(p2001::MapSite site) {
    switch (site) {
        case p2001::MapSite::MidPoint:
            return "mid";
        case p2001::MapSite::Tx:
            return "tx";
        case p2001::MapSite::Rx:
            return "rx";
        case p2001::MapSite::Quarter:
            return "quarter";
        case p2001::MapSite::ThreeQuarter:
            return "three_quarter";
        case p2001::MapSite::TxSegmentMid:
            return "tx_segment";
        case p2001::MapSite::RxSegmentMid:
            return "rx_segment";
        case p2001::MapSite::CommonVolume:
            return "common_volume";
    }
    return "";
}

// A value of map_values: a number for every point the map is read at, or a
// dict of numbers by point.
double givenValue(const py::dict& given, p2001::MapFile file, p2001::MapSite site) {
    const std::string key = mapKey(file);
    if (!given.contains(key)) throw py::value_error("map_values lacks '" + key + "'");
    const py::object value = given[key.c_str()];
    if (py::isinstance<py::dict>(value)) {
        const py::dict bySite = value;
        const std::string where(siteKey(site));
        if (!bySite.contains(where)) throw py::value_error("map_values['" + key + "'] lacks '" + where + "'");
        return realNumber(bySite[where.c_str()], "map_values['" + key + "']['" + where + "']");
    }
    return realNumber(value, "map_values['" + key + "']");
}

py::dict mapDict(const py::object& mapValues) {
    if (!py::isinstance<py::dict>(mapValues))
        throw py::type_error("map_values: a dict of numbers by map name, not " + typeName(mapValues));
    return mapValues;
}

std::vector<P2001MapValue> givenMapValues(const p2001::PathInput& input, const py::dict& given) {
    const double dnMedian = givenValue(given, p2001::MapFile::DnMedian, p2001::MapSite::MidPoint);
    std::vector<P2001MapValue> values;
    for (const p2001::MapLookup& l : p2001::mapLookups(input, dnMedian))
        values.push_back({l.file, l.site, l.at, givenValue(given, l.file, l.site)});
    return values;
}

p2001::MapReader installedMaps(const py::object& maps) {
    std::optional<std::filesystem::path> folder;
    if (!maps.is_none())
        folder = std::filesystem::path(py::module_::import("os").attr("fsencode")(maps).cast<std::string>());
    try {
        return p2001MapReader(requireP2001Maps(folder));
    } catch (const climate::MapError& e) {
        throw py::value_error(e.what());
    } catch (const climate::InstallError& e) {
        PyErr_SetString(PyExc_FileNotFoundError, e.what());
        throw py::error_already_set();
    }
}

py::dict p2001All(const py::object& distanceKm, const py::object& heightM, const py::object& zone,
                  const py::object& site1, const py::object& site2, const py::object& frequencyMhz,
                  const py::object& percent, const py::object& s1MastM, const py::object& s2MastM,
                  const py::object& s1GainDbi, const py::object& s2GainDbi,
                  const py::object& polarisationWord, const py::object& maps, const py::object& mapValues,
                  const py::object& threads) {
    P2001AllSettings settings;
    settings.frequencyMhz = realValues(frequencyMhz, "frequency_mhz");
    settings.percents = realValues(percent, "percent");
    settings.mast1M = realNumber(s1MastM, "s1_mast_m");
    settings.mast2M = realNumber(s2MastM, "s2_mast_m");
    settings.gain1Dbi = realNumber(s1GainDbi, "s1_gain_dbi");
    settings.gain2Dbi = realNumber(s2GainDbi, "s2_gain_dbi");
    if (!PyUnicode_Check(polarisationWord.ptr()))
        throw py::type_error("polarisation: 'vertical' or 'horizontal', not " + typeName(polarisationWord));
    const std::string polarisation = polarisationWord.cast<std::string>();
    if (polarisation == "horizontal")
        settings.polarisation = p2001::Polarisation::Horizontal;
    else if (polarisation != "vertical")
        throw py::value_error("polarisation='" + polarisation + "': not a polarisation (allowed: vertical or horizontal)");
    checkP2001AllSettings(settings);
    int threadCount = 1;
    if (!threads.is_none()) {
        if (PyBool_Check(threads.ptr()) || !PyIndex_Check(threads.ptr())) throw py::type_error("threads: a whole number");
        const long n = PyLong_AsLong(threads.ptr());
        if (n == -1 && PyErr_Occurred()) {
            PyErr_Clear();
            throw py::value_error("threads: out of range (allowed: 1 to 1024)");
        }
        if (n < 1 || n > 1024) throw py::value_error("threads=" + std::to_string(n) + ": out of range (allowed: 1 to 1024)");
        threadCount = static_cast<int>(n);
    }

    std::vector<profile::ProfilePoint> points;
    const std::vector<double> d = realValues(distanceKm, "distance_km");
    const std::vector<double> h = realValues(heightM, "height_m");
    if (d.size() != h.size()) throw py::value_error("distance_km and height_m: not of the same length");
    for (std::size_t i = 0; i < d.size(); ++i) points.push_back({d[i], h[i], static_cast<long>(i + 1)});
    std::vector<int> zones;
    if (zone.is_none()) {
        zones = pathZones(points).zone;
    } else {
        requireNumbers(zone, "zone", "iu", "whole numbers (1 sea, 3 coastal land, 4 inland)");
        const py::array_t<int, py::array::c_style | py::array::forcecast> z(zone);
        zones.assign(z.data(), z.data() + z.size());
        if (zones.size() != d.size()) throw py::value_error("zone: not of the length of distance_km");
    }
    p2001::PathInput input =
        p2001AllInput(points, zones, siteOf(site1, "site1"), siteOf(site2, "site2"), settings);
    std::vector<P2001MapValue> values = mapValues.is_none() ? readP2001MapValues(input, installedMaps(maps))
                                                            : givenMapValues(input, mapDict(mapValues));
    const p2001::PreparedPath path = p2001::preparePath(std::move(input), collectMapValues(values));

    std::vector<double> fGhz;
    for (const double f : settings.frequencyMhz) fGhz.push_back(f / 1000);
    const std::size_t nf = fGhz.size();
    const std::size_t np = settings.percents.size();
    std::vector<p2001::Row> rows(nf * np);
    const std::size_t blocksPerFrequency = (np + kPercentBlock - 1) / kPercentBlock;
    runChunked(
        nf * blocksPerFrequency, threadCount,
        [&](std::size_t begin, std::size_t end) {
            for (std::size_t unit = begin; unit < end; ++unit) {
                const std::size_t f = unit / blocksPerFrequency;
                const std::size_t first = (unit % blocksPerFrequency) * kPercentBlock;
                const std::size_t count = std::min(kPercentBlock, np - first);
                p2001::fillRows(path, {&fGhz[f], 1}, std::span(settings.percents).subspan(first, count),
                                std::span(rows).subspan(f * np + first, count));
            }
        },
        1);
    for (const p2001::Row& row : rows)
        if (row.status == p2001::RowStatus::Refused)
            throw py::value_error("frequency_mhz=" + std::to_string(row.ghz * 1000) + ", percent=" +
                                  std::to_string(row.tpc) + ": " + row.refusal);

    std::vector<py::ssize_t> shape = shapeOf(frequencyMhz);
    const std::vector<py::ssize_t> percentShape = shapeOf(percent);
    shape.insert(shape.end(), percentShape.begin(), percentShape.end());
    py::dict result;
    for (const p2001::Column& c : p2001::columns()) {
        if (c.kind == p2001::ColumnKind::Text || c.kind == p2001::ColumnKind::Empty) continue;
        if (c.whole != nullptr) {
            py::array_t<long> a(shape);
            long* out = a.mutable_data();
            for (std::size_t i = 0; i < rows.size(); ++i) out[i] = rows[i].*c.whole;
            result[py::str(std::string(c.name))] = a;
        } else {
            py::array_t<double> a(shape);
            double* out = a.mutable_data();
            for (std::size_t i = 0; i < rows.size(); ++i) out[i] = rows[i].*c.real;
            result[py::str(std::string(c.name))] = a;
        }
    }
    return result;
}

constexpr const char* kDoc = R"doc(p2001_all(distance_km, height_m, zone, *, site1, site2, frequency_mhz, percent, s1_mast_m, s2_mast_m, s1_gain_dbi=0, s2_gain_dbi=0, polarisation="vertical", maps=None, map_values=None, threads=None)

The complete ITU-R P.2001 (every propagation mechanism) over one path.

distance_km, height_m: the profile from station 1, the transmitter (more than
10 points, the first at 0, rising). zone: 1 sea, 3 coastal land, 4 inland at
each point; None derives them from the heights (sea at 0 m or below, coastal
land up to 100 m within 50 km of sea along the path, else inland).
site1, site2: (lat, lon) or "LAT,LON". frequency_mhz: 30 to 50000 MHz;
percent: strictly between 0 and 100; a number or a 1-D sequence each.
s1_mast_m, s2_mast_m: antenna heights above the ground, above 0 m.

maps: the folder of the 14 maps (default: the usual places). map_values
instead gives the map values: a dict keyed by map name ("DN_Median",
"DN_SupSlope", "DN_SubSlope", "dndz_01", "surfwv_50_fixed", "h0",
"Esarain_Pr6_v5", "Esarain_Mt_v5", "Esarain_Beta_v5", "FoEs0.1", "FoEs01",
"FoEs10", "FoEs50", "TropoClim"), each a number for every point the map is
read at or a dict by point ("mid", "tx", "rx", "quarter", "three_quarter",
"tx_segment", "rx_segment", "common_volume").

Returns a dict of NumPy arrays keyed by the ITU's results columns ("Lb",
"Lbm1" ... as in its validation files), of shape frequency_mhz's shape then
percent's. threads: the threads to share the rows (default 1). The GIL is
released while the rows are computed; Ctrl-C stops the call.)doc";

}  // namespace

void addP2001AllFunction(py::module_& m) {
    m.def(std::string(itur::methodNames(itur::ItuMethod::P2001All).python).c_str(), p2001All,
          py::arg("distance_km"), py::arg("height_m"), py::arg("zone"), py::kw_only(), py::arg("site1"),
          py::arg("site2"), py::arg("frequency_mhz"), py::arg("percent"), py::arg("s1_mast_m"), py::arg("s2_mast_m"),
          py::arg("s1_gain_dbi") = 0.0, py::arg("s2_gain_dbi") = 0.0, py::arg("polarisation") = "vertical",
          py::arg("maps") = py::none(), py::arg("map_values") = py::none(), py::arg("threads") = py::none(), kDoc);
}

}  // namespace tropolink::python
