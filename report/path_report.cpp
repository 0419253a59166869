#include "report/path_report.h"

#include <nlohmann/json.hpp>

#include "grammar/number_text.h"

namespace tropolink {
namespace {

using nlohmann::ordered_json;

// Bearings read clockwise from north, 0 to 360.
double bearing(double azimuthDeg) { return azimuthDeg < 0 ? azimuthDeg + 360 : azimuthDeg; }

std::string coordinates(terrain::Site site) { return fixedText(site.latDeg, 6) + ", " + fixedText(site.lonDeg, 6); }

std::string nearWarning(int station, double distanceKm) {
    return "station " + std::to_string(station) + "'s horizon lies " + fixedText(distanceKm, 3) +
           " km from its antenna: the mast may be too short for the DEM's ground at the site, and the scatter "
           "angle too large";
}

void appendGap(std::string& out, std::string_view what, const terrain::GapReport& gap) {
    if (gap.count == 0) return;
    out += "  " + std::to_string(gap.count) + " point" + (gap.count == 1 ? "" : "s") + " " + std::string(what) +
           ", the first at " + fixedText(gap.first->distanceKm, 3) + " km (" +
           coordinates({gap.first->latDeg, gap.first->lonDeg}) + ")\n";
}

ordered_json placeJson(const PathPlace& place) {
    return {{"distanceKm", place.distanceKm},
            {"lat", place.site.latDeg},
            {"lon", place.site.lonDeg},
            {"groundM", place.groundM}};
}

ordered_json gapJson(const terrain::GapReport& gap) {
    ordered_json first = nullptr;
    if (gap.first) first = {{"distanceKm", gap.first->distanceKm}, {"lat", gap.first->latDeg}, {"lon", gap.first->lonDeg}};
    return {{"count", gap.count}, {"first", first}};
}

}  // namespace

std::vector<std::string> pathWarnings(const PathPlaces& places) {
    std::vector<std::string> list;
    if (places.horizon1Near) list.push_back(nearWarning(1, places.horizon1.distanceKm));
    if (places.horizon2Near) list.push_back(nearWarning(2, places.horizon2.distanceKm));
    return list;
}

void appendPathText(std::string& out, const PlacedProfile& placed, const PathPlaces& places) {
    const terrain::PathProfile& p = placed.path;
    out += "path\n";
    out += "  site 1  " + coordinates(placed.site1) + ", ground " + fixedText(placed.points.front().heightM, 1) + " m\n";
    out += "  site 2  " + coordinates(placed.site2) + ", ground " + fixedText(placed.points.back().heightM, 1) + " m\n";
    out += "  length " + fixedText(p.lengthKm, 3) + " km, azimuth " + fixedText(bearing(p.azimuth1Deg), 2) + " deg at site 1, " +
           fixedText(bearing(p.azimuth2Deg), 2) + " deg at site 2\n";
    out += "  " + std::to_string(placed.points.size()) + " points";
    if (placed.fromDem) {
        out += " every " + fixedText(p.stepM, 0) + " m, from";
        for (std::size_t i = 0; i < p.demFilesUsed.size(); ++i) out += (i == 0 ? " " : ", ") + p.demFilesUsed[i];
    } else {
        out += " from the profile file";
    }
    out += '\n';
    appendGap(out, "no DEM holds set to 0 m", p.sea);
    appendGap(out, "with a void filled along the path", p.voids);
    const double lengthKm = placed.points.back().distanceKm;
    out += "  horizon 1  " + fixedText(places.horizon1.distanceKm, 3) + " km from station 1 (" +
           coordinates(places.horizon1.site) + ")\n";
    out += "  horizon 2  " + fixedText(lengthKm - places.horizon2.distanceKm, 3) + " km from station 2 (" +
           coordinates(places.horizon2.site) + ")\n";
    if (places.commonVolume)
        out += "  common volume over " + fixedText(places.commonVolume->distanceKm, 3) + " km from station 1 (" +
               coordinates(places.commonVolume->site) + "), ground " + fixedText(places.commonVolume->groundM, 1) +
               " m\n";
    else
        out += "  no common volume: the horizon rays do not cross between the stations\n";
    for (const std::string& w : pathWarnings(places)) out += "  warning: " + w + "\n";
}

std::string pathJson(const PlacedProfile& placed, const PathPlaces& places) {
    const terrain::PathProfile& p = placed.path;
    ordered_json json;
    json["site1"] = {{"lat", placed.site1.latDeg}, {"lon", placed.site1.lonDeg}, {"groundM", placed.points.front().heightM}};
    json["site2"] = {{"lat", placed.site2.latDeg}, {"lon", placed.site2.lonDeg}, {"groundM", placed.points.back().heightM}};
    json["lengthKm"] = p.lengthKm;
    json["azimuth1Deg"] = bearing(p.azimuth1Deg);
    json["azimuth2Deg"] = bearing(p.azimuth2Deg);
    json["stepM"] = placed.fromDem ? ordered_json(p.stepM) : ordered_json(nullptr);
    json["pointCount"] = placed.points.size();
    json["demFiles"] = p.demFilesUsed;
    json["sea"] = gapJson(p.sea);
    json["voids"] = gapJson(p.voids);
    json["horizon1"] = placeJson(places.horizon1);
    json["horizon2"] = placeJson(places.horizon2);
    json["commonVolume"] = places.commonVolume ? placeJson(*places.commonVolume) : ordered_json(nullptr);
    json["warnings"] = pathWarnings(places);
    return json.dump(-1, ' ', false, ordered_json::error_handler_t::replace);
}

}  // namespace tropolink
