#include "python/profile_objects.h"

#include <pybind11/stl.h>

#include <cmath>
#include <string>

#include "climate/zones.h"
#include "link/profile_link.h"
#include "python/itu_availability.h"
#include "python/pass_objects.h"
#include "report/climate_report.h"
#include "report/path_report.h"

namespace py = pybind11;

namespace tropolink::python {
namespace {

// As the JSON writes a number: None where it is not finite.
py::object number(double value) { return std::isfinite(value) ? py::object(py::float_(value)) : py::object(py::none()); }

py::dict stationDict(const profile::StationSettings& s) {
    py::dict d;
    d["row"] = s.horizonRow;
    d["distanceKm"] = number(s.horizon.distanceKm);
    d["heightM"] = number(s.horizon.heightM);
    d["angleMrad"] = number(s.horizon.angleMrad);
    d["angleMradOnGrid"] = number(s.angleOnGridMrad);
    d["differenceMrad"] = number(s.angleOnGridMrad - s.horizon.angleMrad);
    return d;
}

py::dict placeDict(const PathPlace& place) {
    py::dict d;
    d["distanceKm"] = number(place.distanceKm);
    d["lat"] = number(place.site.latDeg);
    d["lon"] = number(place.site.lonDeg);
    d["groundM"] = number(place.groundM);
    return d;
}

double bearing(double azimuthDeg) { return azimuthDeg < 0 ? azimuthDeg + 360 : azimuthDeg; }

py::dict siteDict(terrain::Site site, double groundM) {
    py::dict d;
    d["lat"] = number(site.latDeg);
    d["lon"] = number(site.lonDeg);
    d["groundM"] = number(groundM);
    return d;
}

// report/path_report's "path" object, member for member.
py::dict pathDict(const PlacedProfile& placed, const PathPlaces& places) {
    const terrain::PathProfile& p = placed.path;
    py::dict d;
    d["site1"] = siteDict(placed.site1, placed.points.front().heightM);
    d["site2"] = siteDict(placed.site2, placed.points.back().heightM);
    d["lengthKm"] = number(p.lengthKm);
    d["azimuth1Deg"] = number(bearing(p.azimuth1Deg));
    d["azimuth2Deg"] = number(bearing(p.azimuth2Deg));
    d["stepM"] = placed.fromDem ? number(p.stepM) : py::none();
    d["pointCount"] = placed.points.size();
    d["demFiles"] = p.demFilesUsed;
    d["sea"] = gapObject(p.sea);
    d["voids"] = gapObject(p.voids);
    d["horizon1"] = placeDict(places.horizon1);
    d["horizon2"] = placeDict(places.horizon2);
    d["commonVolume"] = places.commonVolume ? py::object(placeDict(*places.commonVolume)) : py::none();
    d["warnings"] = pathWarnings(places);
    return d;
}

py::dict valueDict(const ClimateValue& v) {
    py::dict d;
    d["value"] = number(v.value);
    d["source"] = std::string(climateSourceName(v.source));
    if (v.source == ClimateSource::Map) {
        d["file"] = v.file.string();
        d["where"] = v.where;
        d["lat"] = number(v.at.latDeg);
        d["lon"] = number(v.at.lonDeg);
    }
    return d;
}

// report/climate_report's "climate" object, member for member.
py::dict climateDict(const SiteClimate& c) {
    py::dict d;
    d["mapsFolder"] = c.mapsFolder ? py::object(py::str(c.mapsFolder->string())) : py::none();
    d["deltaNForRadius"] = valueDict(c.deltaNRadius);
    d["effectiveEarthRadiusKm"] = number(c.effectiveEarthRadiusKm);
    d["n0"] = valueDict(c.n0);
    d["deltaN"] = valueDict(c.deltaN);
    py::dict zone = valueDict(c.climateZone);
    if (c.zoneCode) {
        zone["zoneCode"] = *c.zoneCode;
        zone["zoneName"] = std::string(climate::zoneName(*c.zoneCode));
    }
    d["climateZone"] = zone;
    d["surfaceRefractivity"] = c.surfaceRefractivityPosition ? py::object(py::int_(*c.surfaceRefractivityPosition)) : py::none();
    d["surfaceRefractivityNote"] =
        c.surfaceRefractivityNote.empty() ? py::none() : py::object(py::str(c.surfaceRefractivityNote));
    return d;
}

}  // namespace

py::object gapObject(const terrain::GapReport& gap) {
    py::dict d;
    d["count"] = gap.count;
    py::object first = py::none();
    if (gap.first) {
        py::dict f;
        f["distanceKm"] = number(gap.first->distanceKm);
        f["lat"] = number(gap.first->latDeg);
        f["lon"] = number(gap.first->lonDeg);
        first = f;
    }
    d["first"] = first;
    return d;
}

py::dict profileObject(const ProfileAnswer& a, const HeadlessWindow& window, const PlacedProfile* placed) {
    py::dict d;
    py::dict settings;
    for (const Slider slider : kProfileSliders)
        settings[py::str(std::string(kAliases[static_cast<std::size_t>(sliderIndex(slider))].name))] =
            *profile::sliderPosition(a.derived, slider);
    d["settings"] = settings;
    py::dict horizon;
    horizon["station1"] = stationDict(a.derived.station1);
    horizon["station2"] = stationDict(a.derived.station2);
    d["horizon"] = horizon;
    d["boxes"] = boxTexts(window);
    if (placed) {
        d["path"] = pathDict(*placed, *a.places);
        d["climate"] = climateDict(*a.climate);
    }
    if (a.availability) d["availability"] = answerObject(*a.availability);
    return d;
}

}  // namespace tropolink::python
