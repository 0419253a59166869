#include "plan/plan_decision.h"

#include <cmath>

#include "grammar/number_text.h"
#include "report/availability_json.h"
#include "report/availability_notes.h"

namespace tropolink {
namespace {

bool requirementMet(const itur::StationAvailability& a, double requiredPercent) {
    if (a.bound == itur::AvailabilityBound::Above) return true;
    return a.bound == itur::AvailabilityBound::None && a.percent && *a.percent >= requiredPercent;
}

// Orders availabilities: Below < a percentage < Above.
double rank(const itur::StationAvailability& a) {
    if (a.bound == itur::AvailabilityBound::Above) return 101;
    if (a.bound == itur::AvailabilityBound::Below) return -1;
    return a.percent.value_or(-2);
}

std::string label(itur::ItuMethod method) { return std::string(itur::methodNames(method).label); }

std::string reasonOf(const itur::StationAvailability& a, itur::ItuMethod method, const PlanResult& r) {
    if (a.bound == itur::AvailabilityBound::LineOfSight)
        return "the path is line of sight, and " + label(method) + " models only paths beyond the horizon";
    return outOfRangeNote(method, a.reason, r.availability);
}

std::string percentText(double p) {
    std::string text;
    appendShortest(text, p);
    return text;
}

// The station whose reception is the worse, 2 when both are alike.
std::size_t limitingStation(const std::vector<PlanVerdict>& verdicts, itur::ItuMethod method) {
    const PlanVerdict* worst = nullptr;
    for (const PlanVerdict& v : verdicts)
        if (v.method == method && (!worst || rank(v.availability) <= rank(worst->availability))) worst = &v;
    return worst ? static_cast<std::size_t>(worst->receivingStation) : 2;
}

std::optional<double> tropoLossAtRequired(const PlanResult& r, itur::ItuMethod method) {
    return itur::methodLoss(method, r.link, r.plan.requiredAvailabilityPercent).value();
}

}  // namespace

std::string defaultsSentence(const ClimateDefaults& d, bool completeDecides) {
    std::vector<std::string> names;
    if (d.n0) names.emplace_back("N0");
    if (d.deltaN) names.emplace_back("delta-N");
    if (d.climateZone) names.emplace_back("the climate zone");
    std::string list;
    for (std::size_t i = 0; i < names.size(); ++i)
        list += (i == 0 ? "" : i + 1 == names.size() ? " and " : ", ") + names[i];
    const bool one = names.size() == 1;
    return list + (one ? " is a default" : " are defaults") + ", not a map's value" +
           (completeDecides ? ": the troposcatter methods' rows rest on " + std::string(one ? "it" : "them")
                            : ": the verdict rests on " + std::string(one ? "it" : "them"));
}

namespace {

// The widest gap between two methods' losses at the required percentage
// when it passes kMethodsDisagreeDb, and what explains it.
std::optional<std::string> disagreement(const PlanResult& r, const PlanDecision& d) {
    struct Figure {
        itur::ItuMethod method;
        double lossDb;
    };
    std::vector<Figure> figures;
    const PlanMechanisms& m = r.mechanisms;
    if (m.ran()) {
        const std::size_t station = limitingStation(r.verdicts, itur::ItuMethod::P2001All);
        for (const MechanismStation& s : m.stations)
            if (static_cast<std::size_t>(s.receivingStation) == station && s.atRequired)
                figures.push_back({itur::ItuMethod::P2001All, s.atRequired->lbDb});
    }
    for (const itur::ItuMethod method : itur::kItuMethods)
        if (const auto loss = tropoLossAtRequired(r, method)) figures.push_back({method, *loss});
    std::optional<std::pair<Figure, Figure>> widest;
    for (std::size_t i = 0; i < figures.size(); ++i)
        for (std::size_t j = i + 1; j < figures.size(); ++j)
            if (!widest || std::abs(figures[i].lossDb - figures[j].lossDb) >
                               std::abs(widest->first.lossDb - widest->second.lossDb))
                widest = std::pair{figures[i], figures[j]};
    if (!widest) return std::nullopt;
    const auto& [a, b] = *widest;
    const double gap = std::abs(a.lossDb - b.lossDb);
    if (gap <= kMethodsDisagreeDb) return std::nullopt;
    std::string sentence = "At " + percentText(r.plan.requiredAvailabilityPercent) + " % " + label(a.method) +
                           " gives " + fixedText(a.lossDb, 1) + " dB and " + label(b.method) + " " +
                           fixedText(b.lossDb, 1) + " dB, " + fixedText(gap, 1) + " dB apart: ";
    const bool withComplete = a.method == itur::ItuMethod::P2001All;
    if (withComplete && d.mechanism && d.mechanism->first != p2001::Mechanism::Troposcatter)
        sentence += "another mechanism carries the signal, " + decidingMechanismsText(*d.mechanism) +
                    ", which the troposcatter methods leave out";
    else if (d.defaults.any())
        sentence += "a climate default explains it, the methods weighing N0, delta-N and the zone differently, "
                    "and here some of them are defaults, not the path's climate";
    else if (withComplete)
        sentence += "the complete method reads its own 14 maps along the path, where the troposcatter methods take "
                    "one climate";
    else
        sentence += "the two troposcatter methods model the scatter differently, on the same climate";
    return sentence;
}

void decideByComplete(const PlanResult& r, PlanDecision& d) {
    const PlanMechanisms& m = r.mechanisms;
    d.method = itur::ItuMethod::P2001All;
    const std::size_t station = limitingStation(r.verdicts, itur::ItuMethod::P2001All);
    d.met = true;
    for (const PlanVerdict& v : r.verdicts)
        if (v.method == itur::ItuMethod::P2001All) d.met = d.met && v.met;
    for (const MechanismStation& s : m.stations)
        if (static_cast<std::size_t>(s.receivingStation) == station && s.atRequired)
            d.mechanism = s.atRequired->deciding;
    d.firstLine = std::string(d.met ? "met" : "NOT MET") + ", decided by " + label(d.method) +
                  ", which models every mechanism along the path; at " +
                  percentText(r.plan.requiredAvailabilityPercent) + " % of the year " +
                  (d.mechanism ? decidingMechanismsText(*d.mechanism) : std::string("-")) +
                  " decides the loss received at " + (station == 1 ? r.plan.station1.name : r.plan.station2.name);
}

void decideByTroposcatter(const PlanResult& r, PlanDecision& d) {
    // The more cautious method: the lower availability at its worse station.
    const PlanVerdict* worst = nullptr;
    for (const PlanVerdict& v : r.verdicts)
        if (v.method != itur::ItuMethod::P2001All && v.applies &&
            (!worst || rank(v.availability) < rank(worst->availability)))
            worst = &v;
    const std::string without = r.mechanisms.skip == MechanismSkip::NoSites  ? "the complete P.2001 needs the sites"
                                : r.mechanisms.skip == MechanismSkip::NoMaps ? "the complete P.2001 lacks its maps"
                                                                             : "the complete P.2001 does not apply";
    if (!worst) {
        d.applies = false;
        d.method = itur::ItuMethod::P617;
        const bool lineOfSight = r.availability.p617.domain.verdict == itur::MethodVerdict::LineOfSight;
        d.firstLine = "no verdict: no method gives a figure on this path, " +
                      std::string(lineOfSight ? "which is line of sight, where the troposcatter methods do not apply,"
                                              : "which lies outside the troposcatter methods' domain,") +
                      " and " + without;
        return;
    }
    d.method = worst->method;
    d.met = true;
    for (const PlanVerdict& v : r.verdicts)
        if (v.method == d.method) d.met = d.met && v.met;
    d.firstLine = std::string(d.met ? "met" : "NOT MET") + ", decided by " + label(d.method) +
                  ", the more cautious of the troposcatter methods, since " + without +
                  "; troposcatter alone decides the loss it gives";
}

}  // namespace

ClimateDefaults climateDefaults(const PlanResult& r) {
    ClimateDefaults d;
    if (r.climate) {
        d.n0 = r.climate->n0.source == ClimateSource::Default;
        d.deltaN = r.climate->deltaN.source == ClimateSource::Default;
        d.climateZone = r.climate->climateZone.source == ClimateSource::Default;
    } else {
        // Without sites N0 is the surface refractivity slider, a value the user sets.
        d.deltaN = !r.plan.availability.deltaNGiven;
        d.climateZone = !r.plan.availability.climateZoneGiven;
    }
    return d;
}

std::vector<PlanVerdict> planVerdicts(const PlanResult& r) {
    std::vector<PlanVerdict> list;
    const double required = r.plan.requiredAvailabilityPercent;
    const PlanMechanisms& m = r.mechanisms;
    if (m.ran()) {
        for (const MechanismStation& s : m.stations) {
            PlanVerdict v;
            v.method = itur::ItuMethod::P2001All;
            v.receivingStation = s.receivingStation;
            if (s.availability) v.availability = *s.availability;
            v.met = requirementMet(v.availability, required);
            if (r.plan.availability.fading && s.fading) {
                v.withDiversity = s.fading->withDiversity;
                v.met = v.withDiversity->percent >= required;
            }
            list.push_back(v);
        }
    } else if (m.skip != MechanismSkip::NoSites) {
        for (int station = 1; station <= 2; ++station) {
            PlanVerdict v;
            v.method = itur::ItuMethod::P2001All;
            v.receivingStation = station;
            v.availability.bound = itur::AvailabilityBound::OutOfRange;
            v.applies = false;
            v.reason = m.skip == MechanismSkip::NoMaps ? "its 14 ITU-R maps are not installed" : m.reason;
            list.push_back(v);
        }
    }
    for (const itur::ItuMethod method : itur::kItuMethods) {
        const itur::MethodAnswer& answer = itur::methodAnswer(r.availability, method);
        if (!answer.availability) continue;
        for (int station = 1; station <= 2; ++station) {
            const auto index = static_cast<std::size_t>(station - 1);
            PlanVerdict v;
            v.method = method;
            v.receivingStation = station;
            v.availability = (*answer.availability)[index];
            v.met = requirementMet(v.availability, required);
            const itur::AvailabilityBound bound = v.availability.bound;
            if (bound == itur::AvailabilityBound::LineOfSight || bound == itur::AvailabilityBound::OutOfRange) {
                v.applies = false;
                v.reason = reasonOf(v.availability, method, r);
            }
            if (v.applies && answer.fading && answer.fading->stations) {
                v.withDiversity = (*answer.fading->stations)[index].withDiversity;
                v.met = v.withDiversity->percent >= required;
            }
            list.push_back(v);
        }
    }
    return list;
}

std::optional<PlanDecision> planDecision(const PlanResult& r) {
    if (!r.plan.availability.requiredSnrDb) return std::nullopt;
    PlanDecision d;
    d.defaults = climateDefaults(r);
    if (r.mechanisms.ran())
        decideByComplete(r, d);
    else
        decideByTroposcatter(r, d);
    const bool lineOfSight = r.availability.p617.domain.verdict == itur::MethodVerdict::LineOfSight;
    if (r.mechanisms.skip == MechanismSkip::NoMaps && lineOfSight)
        d.sentences.emplace_back(
            "On this line-of-sight path only the complete P.2001 gives a figure, and it needs its 14 ITU-R maps: "
            "install them with `tropolink-cli maps download`, or `tropolink-cli maps import ZIP` from the ZIP of "
            "ITU-R P.2001 (the notes name the files missing)");
    if (auto sentence = disagreement(r, d)) d.sentences.push_back(std::move(*sentence));
    if (d.defaults.any()) d.sentences.push_back(defaultsSentence(d.defaults, r.mechanisms.ran()));
    return d;
}

}  // namespace tropolink
