#include "plan/plan_json.h"
#include "plan/mechanism_text.h"

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
    out += "  " + std::string(itur::methodNames(v.method).label) + ", received at " + terminalText(station.name) + ": " +
           verdictRowText(v) + "\n";
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
        if (r.decision) {
            out += "  " + r.decision->firstLine + "\n";
            for (const std::string& sentence : r.decision->sentences) out += "  " + terminalText(sentence) + "\n";
        }
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
    appendMechanismText(out, r);
    if (const std::vector<std::string> notes = r.shownNotes(); !notes.empty()) {
        out += "\nNotes:\n";
        for (const std::string& note : notes) out += "  " + terminalText(note) + "\n";
    }
}

}  // namespace tropolink
