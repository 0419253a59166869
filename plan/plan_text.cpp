#include "plan/plan_json.h"

#include <string>

#include "grammar/number_text.h"
#include "grammar/terminal_text.h"
#include "report/availability_json.h"
#include "report/availability_table.h"
#include "report/box_writers.h"
#include "report/fading_report.h"
#include "report/climate_report.h"
#include "report/path_report.h"
#include "report/profile_report.h"

namespace tropolink {
namespace {

void appendVerdictLine(std::string& out, const PlanVerdict& v, const PlanResult& r) {
    const CheckedStation& station = v.receivingStation == 1 ? r.plan.station1 : r.plan.station2;
    out += "  " + std::string(itur::methodNames(v.method).label) + ", received at " + terminalText(station.name) + ": ";
    out += v.met ? "met" : "NOT MET";
    if (v.withDiversity) {
        const itur::FadingAvailability& f = *v.withDiversity;
        out += ", available " + fixedText(f.percent, 4) + " % of the year with fading, outage " +
               fixedText(f.outageMinutesPerYear, 1) + " minutes a year; hourly median only";
    }
    const itur::StationAvailability& a = v.availability;
    if (a.percent) {
        out += ", available " + fixedText(*a.percent, 4) + " % of the year";
        if (a.outageMinutesPerYear) out += ", outage " + fixedText(*a.outageMinutesPerYear, 1) + " minutes a year";
    } else if (a.bound == itur::AvailabilityBound::Above || a.bound == itur::AvailabilityBound::Below) {
        out += ", available " + std::string(boundText(a.bound)) + " % of the year";
    } else {
        out += ", the method gives no figure (" + std::string(boundText(a.bound)) + ")";
    }
    out += '\n';
}

}  // namespace

void appendPlanText(std::string& out, const PlanResult& r) {
    const CheckedPlan& p = r.plan;
    if (p.availability.requiredSnrDb) {
        out += "Verdict: the link needs S/N >= ";
        appendShortest(out, *p.availability.requiredSnrDb);
        out += " dB for ";
        appendShortest(out, p.requiredAvailabilityPercent);
        out += " % of the year";
        if (p.availability.fading)
            out += ", received with " + diversityDescription(p.availability.fading->diversity) +
                   " and fading within the hour";
        out += "\n";
        for (const PlanVerdict& v : r.verdicts) appendVerdictLine(out, v, r);
    } else {
        out += "Verdict: none, the plan gives no [requirement].snr-db\n";
    }
    out += '\n';
    // A shared plan's texts may hold escape sequences or lines that look like a verdict.
    if (!p.title.empty()) out += terminalText(p.title) + "\n";
    if (!p.notes.empty()) out += terminalText(p.notes) + "\n";
    out += r.settingsLine + "\n\n";
    if (r.derived) {
        appendHorizonTable(out, *r.derived);
        out += '\n';
    }
    if (r.placed) {
        appendPathText(out, *r.placed, *r.places);
        appendClimateText(out, *r.climate);
        out += '\n';
    }
    if (r.boxesNote.empty())
        appendBoxLines(out, r.boxTexts());
    else
        out += r.boxesNote + "\n";
    out += "\nITU-R methods:\n";
    if (r.derived)
        appendAvailabilityTable(out, r.availability, p.availability);
    else
        appendAvailabilityTable(out, r.availability, p.availability, r.values.geometry);
    if (!r.notes.empty()) {
        out += "\nNotes:\n";
        for (const std::string& note : r.notes) out += "  " + terminalText(note) + "\n";
    }
}

}  // namespace tropolink
