#include "plan/fading_alone.h"

#include <string_view>

#include "grammar/number_text.h"
#include "itur/fading_availability.h"
#include "plan/plan_run.h"

namespace tropolink {
namespace {

std::string label(itur::ItuMethod method) { return std::string(itur::methodNames(method).label); }

const std::string& stationName(const PlanResult& r, int station) {
    return station == 1 ? r.plan.station1.name : r.plan.station2.name;
}

std::string percentText(double p) {
    std::string text;
    appendShortest(text, p);
    return text;
}

std::optional<OneReceiverFading> troposcatterMethod(const PlanResult& r, itur::ItuMethod method) {
    itur::FadingRequest request;
    request.requiredAvailabilityPercent = r.plan.requiredAvailabilityPercent;
    request.improvementMargins = false;
    const std::optional<itur::MethodFading> f =
        itur::methodFading(method, r.link, r.budget, r.plan.availability.requiredSnrDb, request);
    if (!f || !f->stations || !f->atRequiredPercent) return std::nullopt;
    OneReceiverFading m;
    m.method = method;
    for (std::size_t i = 0; i < 2; ++i) m.stations[i] = OneReceiverStation{(*f->stations)[i], f->atRequiredPercent->oneReceiverDb};
    return m;
}

// Each direction over its own L(p), where troposcatter decides it.
std::optional<OneReceiverFading> completeMethod(const PlanResult& r) {
    OneReceiverFading m;
    m.method = itur::ItuMethod::P2001All;
    bool any = false;
    for (const MechanismStation& s : r.mechanisms.stations)
        if (s.fading && s.fadingMargins) {
            m.stations[static_cast<std::size_t>(s.receivingStation - 1)] =
                OneReceiverStation{*s.fading, s.fadingMargins->oneReceiverDb};
            any = true;
        }
    if (!any) return std::nullopt;
    return m;
}

// Met with fading where it applies, on the hourly median elsewhere.
bool metWithFading(const PlanResult& r, const OneReceiverFading& m) {
    bool met = true;
    for (const PlanVerdict& v : r.verdicts) {
        if (v.method != m.method) continue;
        const auto& s = m.stations[static_cast<std::size_t>(v.receivingStation - 1)];
        met = met && (s ? s->fading.oneReceiver.percent >= r.plan.requiredAvailabilityPercent : v.met);
    }
    return met;
}

std::string methodNote(const PlanResult& r, const OneReceiverFading& m) {
    std::string out = "With fading within the hour and one receiver, " + label(m.method) + " reaches ";
    for (int n = 1; n <= 2; ++n) {
        const auto& s = m.stations[static_cast<std::size_t>(n - 1)];
        out += n == 1 ? "" : " and ";
        if (s)
            out += fixedText(s->fading.oneReceiver.percent, 4) + " %" + (n == 1 ? " of the year" : "") +
                   " received at " + stationName(r, n) + " (median margin " + fixedText(s->fading.medianMarginDb, 3) +
                   " dB, " + fixedText(s->marginNeededDb, 3) + " dB needed)";
        else
            out += "no figure received at " + stationName(r, n) + ", where the model does not apply";
    }
    return out + ", " + (m.met ? "met" : "NOT MET") + " for " + percentText(r.plan.requiredAvailabilityPercent) + " %";
}

}  // namespace

std::optional<FadingAlone> fadingAlone(const PlanResult& r) {
    if (r.plan.availability.fading || !r.plan.availability.requiredSnrDb) return std::nullopt;
    FadingAlone a;
    if (auto m = completeMethod(r)) a.methods.push_back(*m);
    for (const itur::ItuMethod method : itur::kItuMethods)
        if (auto m = troposcatterMethod(r, method)) a.methods.push_back(*m);
    for (OneReceiverFading& m : a.methods) m.met = metWithFading(r, m);
    if (r.decision && r.decision->applies)
        for (const OneReceiverFading& m : a.methods)
            if (m.method == r.decision->method) a.verdictMet = m.met;
    if (a.verdictMet)
        a.notes.push_back("Fading within the hour, which this verdict leaves out, would make it " +
                          std::string(*a.verdictMet ? "met" : "NOT MET") + " with one receiver (" +
                          label(r.decision->method) +
                          "); [diversity] in the plan puts fading and the receiver's diversity in the verdict");
    else if (r.decision && r.decision->applies && r.decision->method == itur::ItuMethod::P2001All)
        a.notes.push_back("Fading within the hour would leave this verdict as it is: another mechanism than "
                          "troposcatter decides the complete P.2001's loss at " +
                          percentText(r.plan.requiredAvailabilityPercent) + " %, where its model does not apply");
    for (const OneReceiverFading& m : a.methods) a.notes.push_back(methodNote(r, m));
    if (a.notes.empty()) return std::nullopt;
    return a;
}

std::vector<std::string> fadingDoesNotApplyNotes(const PlanResult& r) {
    std::vector<std::string> notes;
    if (!r.plan.availability.fading) return notes;
    for (const MechanismStation& s : r.mechanisms.stations)
        if (s.atRequired && s.availability && !s.fading)
            notes.push_back(label(itur::ItuMethod::P2001All) + " received at " + stationName(r, s.receivingStation) +
                            ": at " + percentText(s.atRequired->percent) + " % of the year " +
                            decidingMechanismsText(s.atRequired->deciding) +
                            " decides the loss, not troposcatter; fading within the hour does not apply there, and "
                            "its verdict rests on the hourly median");
    return notes;
}

}  // namespace tropolink
