// Sites and path: where the stations stand, what lies between them and how
// the horizon rays meet.
#include <cmath>
#include <numbers>

#include "plan_report/html_escape.h"
#include "plan_report/report_sections.h"
#include "report/profile_svg.h"

namespace tropolink {
namespace {

constexpr double kMPerKm = 1000;

std::string siteCell(const std::optional<terrain::Site>& site, bool latitude) {
    if (!site) return numberCell(std::nullopt, 0);
    return numberCell(latitude ? site->latDeg : site->lonDeg, 5) + "&deg;";
}

std::string placeText(const PathPlace& place) {
    return numberCell(place.distanceKm, 1) + " km; " + numberCell(place.site.latDeg, 4) + "&deg;, " +
           numberCell(place.site.lonDeg, 4) + "&deg;; " + numberCell(place.groundM, 0) + " m";
}

double mradOfDegrees(double degrees) { return degrees * std::numbers::pi / 180 * 1000; }

// An angle of the calculator, which works in degrees: in mrad, the degrees after.
std::string mradWithDegrees(double degrees, int mradDecimals) {
    return numberCell(mradOfDegrees(degrees), mradDecimals) + " (" + numberCell(degrees, 3) + "&deg;)";
}

std::string radiusText(double km) { return numberCell(km, 0) + " km"; }

// A compass bearing, 0 to 360 degrees clockwise from north.
double bearingDeg(double azimuthDeg) {
    const double b = std::fmod(azimuthDeg + 360, 360);
    return b >= 360 ? 0 : b;
}

void appendStations(std::string& out, const PlanResult& r) {
    const CheckedPlan& p = r.plan;
    const LinkParameters& lp = r.values.params;
    out += "<table class=\"stations\">\n<thead><tr><th></th><th>";
    appendHtmlEscaped(out, p.station1.name);
    out += "</th><th>";
    appendHtmlEscaped(out, p.station2.name);
    out += "</th></tr></thead>\n<tbody>\n";
    if (p.station1.site || p.station2.site) {
        appendRow(out, "Latitude", {siteCell(p.station1.site, true), siteCell(p.station2.site, true)});
        appendRow(out, "Longitude", {siteCell(p.station1.site, false), siteCell(p.station2.site, false)});
    }
    if (r.derived) {
        const profile::ProfileSettings& d = *r.derived;
        appendRow(out, "Ground height (m)",
                  {numberCell(d.station1.antennaHeightM - p.station1.mastM, 1),
                   numberCell(d.station2.antennaHeightM - p.station2.mastM, 1)});
        appendRow(out, "Mast (m)", {numberCell(p.station1.mastM, 1), numberCell(p.station2.mastM, 1)});
        appendRow(out, "Antenna above sea level (m)",
                  {numberCell(d.station1.antennaHeightM, 1), numberCell(d.station2.antennaHeightM, 1)});
        // The calculator's earth, the exact profile, within the obstruction sliders' 100 km.
        const std::string earth = "over the " + radiusText(kEffectiveEarthRadiusKm) + " earth";
        appendRow(out, "Horizon distance " + earth + " (km)",
                  {numberCell(d.station1.horizon.distanceKm, 2), numberCell(d.station2.horizon.distanceKm, 2)});
        appendRow(out, "Horizon height (m)",
                  {numberCell(d.station1.horizon.heightM, 1), numberCell(d.station2.horizon.heightM, 1)});
        appendRow(out, "Horizon elevation " + earth + ", exact (mrad)",
                  {numberCell(d.station1.horizon.angleMrad, 2), numberCell(d.station2.horizon.angleMrad, 2)});
    } else {
        appendRow(out, "Antenna above sea level (m)",
                  {numberCell(lp.station1.antennaHeight * kMPerKm, 0), numberCell(lp.station2.antennaHeight * kMPerKm, 0)});
        appendRow(out, "Obstruction distance (km)",
                  {numberCell(lp.station1.obstructionDistance, 0), numberCell(lp.station2.obstructionDistance, 0)});
        appendRow(out, "Obstruction height (m)",
                  {numberCell(lp.station1.obstructionHeight * kMPerKm, 0),
                   numberCell(lp.station2.obstructionHeight * kMPerKm, 0)});
    }
    appendRow(out, "Calculator's take-off angle, on its slider settings (mrad)",
              {mradWithDegrees(r.values.geometry.station1.takeOffAngle, 2),
               mradWithDegrees(r.values.geometry.station2.takeOffAngle, 2)});
    if (r.climate) {
        // The ITU-R methods' earth: its radius from ΔN, horizons anywhere on the path.
        const SiteClimate& c = *r.climate;
        const std::string earth = "over the ITU-R earth of " + radiusText(c.effectiveEarthRadiusKm);
        appendRow(out, "Horizon distance " + earth + " (km)",
                  {numberCell(c.horizon1.distanceKm, 2), numberCell(c.horizon2.distanceKm, 2)});
        appendRow(out, "Horizon elevation " + earth + " (mrad)",
                  {numberCell(c.horizon1.angleMrad, 2), numberCell(c.horizon2.angleMrad, 2)});
    }
    out += "</tbody>\n</table>\n";
}

void appendPath(std::string& out, const ReportInput& in) {
    const PlanResult& r = in.result;
    out += "<table class=\"path\">\n<tbody>\n";
    const double distanceKm = r.placed ? r.placed->path.lengthKm : r.derived ? r.derived->distanceKm : r.values.params.distance;
    appendRow(out, "Distance", {numberCell(distanceKm, 2) + " km"});
    if (r.placed) {
        // The path's azimuth at station 2 points onwards, away from station 1.
        appendRow(out, "Bearing to station 2", {numberCell(bearingDeg(r.placed->path.azimuth1Deg), 2) + "&deg; from station 1"});
        appendRow(out, "Bearing to station 1", {numberCell(bearingDeg(r.placed->path.azimuth2Deg + 180), 2) + "&deg; from station 2"});
    }
    appendRow(out, "Frequency", {numberCell(r.values.params.frequency, 0) + " MHz"});
    if (r.placed && r.placed->fromDem) {
        std::string files;
        for (const std::string& f : r.placed->path.demFilesUsed) {
            if (!files.empty()) files += "<br>";
            files += "<span class=\"file\">" + htmlEscaped(f) + "</span>";
        }
        appendRow(out, "DEM files", {files});
        appendRow(out, "Step", {numberCell(r.placed->path.stepM, 1) + " m"});
    }
    if (r.plan.profile) appendRow(out, "Profile", {"<span class=\"file\">" + htmlEscaped(r.plan.profile->filename().string()) + "</span>"});
    appendRow(out, "Scatter angle",
              {numberCell(mradOfDegrees(r.values.geometry.scatteringAngle), 2) + " mrad = " +
               numberCell(r.values.geometry.scatteringAngle, 3) + "&deg; (calculator); " +
               numberCell(r.availability.geometry.scatterAngleMrad(), 2) + " mrad (ITU-R)"});
    if (r.availability.commonVolumeHeightKm)
        appendRow(out, "Common volume height", {numberCell(*r.availability.commonVolumeHeightKm * kMPerKm, 0) + " m above sea level"});
    else
        appendRow(out, "Common volume", {"none: line of sight"});
    if (r.places) {
        out += "<tr><td colspan=\"2\" class=\"note\">Places below: distance from station 1; latitude, longitude; "
               "ground above sea level.</td></tr>\n";
        if (r.places->commonVolume) appendRow(out, "Under the common volume", {placeText(*r.places->commonVolume)});
        appendRow(out, "Horizon of station 1", {placeText(r.places->horizon1)});
        appendRow(out, "Horizon of station 2", {placeText(r.places->horizon2)});
    }
    out += "</tbody>\n</table>\n";
}

}  // namespace

void appendSitesSection(std::string& out, const ReportInput& in) {
    const PlanResult& r = in.result;
    out += "<section id=\"sites\">\n<h2>Sites and path</h2>\n<div class=\"columns\">\n";
    appendStations(out, r);
    appendPath(out, in);
    out += "</div>\n";
    if (!r.points.empty() && r.derived) {
        out += "<figure class=\"profile\">\n";
        out += inlineSvg(profileSvg({r.points, *r.derived, r.values, r.link.frequencyMhz}));
        out += "<figcaption>The terrain between the stations with the earth's bulge, the vertical scale "
               "exaggerated, with the horizon rays and the first Fresnel zone.</figcaption>\n</figure>\n";
    }
    out += "</section>\n";
}

}  // namespace tropolink
