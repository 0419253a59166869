#include "plan/mechanism_text.h"

#include "grammar/number_text.h"
#include "grammar/terminal_text.h"
#include "report/availability_json.h"

namespace tropolink {
namespace {

void padTo(std::string& out, std::size_t lineStart, std::size_t column) {
    if (out.size() - lineStart < column) out.append(column - (out.size() - lineStart), ' ');
    else out += ' ';
}

void appendLossLine(std::string& out, const MechanismLosses& m) {
    const std::size_t start = out.size();
    out += "    ";
    appendShortest(out, m.percent);
    const double losses[] = {m.lbDb, m.subModels.lbm1Db, m.subModels.lbm2Db, m.subModels.lbm3Db, m.subModels.lbm4Db};
    std::size_t column = 14;
    for (const double loss : losses) {
        padTo(out, start, column);
        out += fixedText(loss, 1);
        column += 11;
    }
    padTo(out, start, column);
    out += decidingMechanismsText(m.deciding) + "\n";
}


// ", available 99.9933 % of the year, outage 35.0 minutes a year"
std::string availabilityWords(const itur::StationAvailability& a) {
    if (!a.percent) return ", available " + std::string(boundText(a.bound)) + " % of the year";
    std::string out = ", available " + fixedText(*a.percent, 4) + " % of the year";
    if (a.outageMinutesPerYear) out += ", outage " + fixedText(*a.outageMinutesPerYear, 1) + " minutes a year";
    return out;
}

}  // namespace

std::string verdictRowText(const PlanVerdict& v) {
    if (!v.applies) return "does not apply: " + v.reason;
    std::string out = v.met ? "met" : "NOT MET";
    if (v.withDiversity) {
        const itur::FadingAvailability& f = *v.withDiversity;
        out += ", available " + fixedText(f.percent, 4) + " % of the year with fading, outage " +
               fixedText(f.outageMinutesPerYear, 1) + " minutes a year; hourly median only";
    }
    return out + availabilityWords(v.availability);
}

void appendMechanismText(std::string& out, const PlanResult& r) {
    const bool inNotes = r.climate && r.climate->mapsFolder;  // the plan's notes then name the missing maps
    appendMechanismText(out, r.mechanisms, r.plan.station1.name, r.plan.station2.name, inNotes);
}

void appendMechanismText(std::string& out, const PlanMechanisms& m, const std::string& name1, const std::string& name2,
                         bool reasonInNotes) {
    const auto stationName = [&](int station) { return terminalText(station == 1 ? name1 : name2); };
    const std::string label(itur::methodNames(itur::ItuMethod::P2001All).label);
    if (!m.ran()) {
        if (m.skip == MechanismSkip::NoMaps && reasonInNotes)
            out += "\n" + label + ": left out, its 14 maps are not installed (the notes say how to install them)\n";
        else if (!m.reason.empty())
            out += "\n" + label + ": left out, " + m.reason + "\n";
        return;
    }
    out += "\n" + label + ", " + (m.polarisation == p2001::Polarisation::Vertical ? "vertical" : "horizontal") +
           " polarisation, maps from " + terminalText(m.mapsSource) + ":\n";
    for (const MechanismStation& s : m.stations) {
        out += "  received at " + stationName(s.receivingStation) + ", " +
               stationName(3 - s.receivingStation) + " transmitting:\n";
        out += "    p %       Lb dB      Lbm1 dB    Lbm2 dB    Lbm3 dB    Lbm4 dB    deciding\n";
        for (const MechanismLosses& losses : s.atPercents) appendLossLine(out, losses);
        if (s.atRequired) {
            out += "    at the required ";
            appendShortest(out, s.atRequired->percent);
            out += " %: Lb " + fixedText(s.atRequired->lbDb, 1) + " dB, decided by " +
                   decidingMechanismsText(s.atRequired->deciding) + "\n";
        }
        if (s.availability) {
            out += "    with the required S/N" + availabilityWords(*s.availability) + "\n";
        }
    }
    out += "  zones: " + m.zonesNote + "\n";
    for (const MechanismStation& s : m.stations)
        for (const std::string& note : s.notes)
            out += "  received at " + stationName(s.receivingStation) + ": " + note + "\n";
    out += "  Lbm1 diffraction and clear-air propagation near the surface, Lbm2 ducting and layer reflection, Lbm3 "
           "troposcatter, Lbm4 sporadic-E\n";
}

}  // namespace tropolink
