// Climate: N0, ΔN and the zone, each with where it came from.
#include "itur/p2001_method.h"
#include "plan_report/html_escape.h"
#include "plan_report/report_sections.h"

namespace tropolink {
namespace {

std::string sourceCell(const ClimateValue& v) {
    if (v.source != ClimateSource::Map) {
        if (v.source == ClimateSource::Option) return "the plan's [itu] table";
        return "default";
    }
    return "map <span class=\"file\">" + htmlEscaped(v.file.string()) + "</span> at the " + htmlEscaped(v.where) +
           " (" + numberCell(v.at.latDeg, 4) + "&deg;, " + numberCell(v.at.lonDeg, 4) + "&deg;)";
}

std::string zoneText(int zone) {
    return std::to_string(zone) + ", " + htmlEscaped(itur::climateZoneName(static_cast<itur::ClimateZone>(zone)));
}

void appendFromMaps(std::string& out, const SiteClimate& c) {
    appendRow(out, "N0", {numberCell(c.n0.value, 1) + " N-units", sourceCell(c.n0)});
    appendRow(out, "\xCE\x94N", {numberCell(c.deltaN.value, 2) + " N-units/km", sourceCell(c.deltaN)});
    appendRow(out, "Climate zone",
              {zoneText(static_cast<int>(c.climateZone.value)), sourceCell(c.climateZone)});
    appendRow(out, "\xCE\x94N for the earth radius",
              {numberCell(c.deltaNRadius.value, 2) + " N-units/km, a<sub>e</sub> = " + numberCell(c.effectiveEarthRadiusKm, 0) +
                   " km",
               sourceCell(c.deltaNRadius)});
}

// Without sites no map applies: the plan's [itu] values or the defaults.
void appendWithoutSites(std::string& out, const PlanResult& r) {
    const AvailabilityOptions& o = r.plan.availability;
    appendRow(out, "N0", {numberCell(r.link.surfaceRefractivity, 1) + " N-units",
                          o.n0 ? "the plan's [itu] table" : "the calculator's N value at sea level"});
    appendRow(out, "\xCE\x94N", {numberCell(r.link.deltaN, 2) + " N-units/km", o.deltaNGiven ? "the plan's [itu] table" : "default"});
    appendRow(out, "Climate zone",
              {zoneText(static_cast<int>(r.link.climateZone)), o.climateZoneGiven ? "the plan's [itu] table" : "default"});
}

}  // namespace

void appendClimateSection(std::string& out, const ReportInput& in) {
    const PlanResult& r = in.result;
    out += "<section id=\"climate\">\n<h2>Climate</h2>\n<table class=\"climate\">\n<thead><tr><th></th><th>Value</th>"
           "<th>Source</th></tr></thead>\n<tbody>\n";
    if (r.climate)
        appendFromMaps(out, *r.climate);
    else
        appendWithoutSites(out, r);
    appendRow(out, "Ground height under the common volume", {numberCell(r.link.groundHeightKm * 1000, 0) + " m", ""});
    out += "</tbody>\n</table>\n";
    appendZoneTable(out, in);
    out += "</section>\n";
}

}  // namespace tropolink
