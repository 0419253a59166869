// What the climate zone costs: the availability under each zone, and on page
// one which climate values are defaults.
#include "plan/climate_defaults.h"
#include "plan_report/html_escape.h"
#include "plan_report/report_sections.h"

namespace tropolink {

std::string availabilityText(const itur::StationAvailability& a) {
    switch (a.bound) {
        case itur::AvailabilityBound::Above: return "above " + percentText(itur::kHighestPercent) + " %";
        case itur::AvailabilityBound::Below: return "below " + percentText(itur::kLowestPercent) + " %";
        case itur::AvailabilityBound::LineOfSight: return "none: line of sight";
        case itur::AvailabilityBound::OutOfRange: return "none: out of the method's range";
        case itur::AvailabilityBound::None: break;
    }
    return a.percent ? numberCell(a.percent, 4) + " %" : "\xE2\x80\x93";
}

void appendClimateDefaults(std::string& out, const ReportInput& in) {
    const std::string sentence = climateDefaultsSentence(in.result);
    if (sentence.empty()) return;
    out += "<p class=\"defaults\">";
    appendHtmlEscaped(out, sentence);
    if (!in.result.zoneAvailabilities.empty()) out += " The climate section shows the availability under each zone.";
    out += "</p>\n";
}

void appendZoneTable(std::string& out, const ReportInput& in) {
    const PlanResult& r = in.result;
    if (r.zoneAvailabilities.empty()) return;
    const CheckedPlan& p = r.plan;
    out += "<table class=\"zones\">\n<caption>Availability reached under each climate zone, all else as "
           "planned</caption>\n<thead><tr><th>Climate zone</th>";
    for (const itur::ItuMethod method : kZoneMethods)
        for (const std::string* station : {&p.station1.name, &p.station2.name}) {
            out += "<th>" + itur::recommendationName(method) + ", received at ";
            appendHtmlEscaped(out, *station);
            out += "</th>";
        }
    out += "</tr></thead>\n<tbody>\n";
    for (std::size_t i = 0; i < r.zoneAvailabilities.size(); i += kZoneMethods.size()) {
        const itur::ClimateZone zone = r.zoneAvailabilities[i].zone;
        const bool used = zone == r.link.climateZone;
        out += used ? "<tr class=\"used\"><th>" : "<tr><th>";
        out += std::to_string(static_cast<int>(zone)) + ", ";
        appendHtmlEscaped(out, itur::climateZoneName(zone));
        if (used) out += " (this path)";
        out += "</th>";
        for (std::size_t m = 0; m < kZoneMethods.size(); ++m)
            for (const itur::StationAvailability& a : r.zoneAvailabilities[i + m].stations)
                out += "<td>" + availabilityText(a) + "</td>";
        out += "</tr>\n";
    }
    out += "</tbody>\n</table>\n<p class=\"small\">Required: S/N of " + numberCell(p.availability.requiredSnrDb, 1) +
           " dB for " + percentText(p.requiredAvailabilityPercent) +
           " % of the year. Only the climate-zone method reads the zone; the hourly median only.</p>\n";
}

}  // namespace tropolink
