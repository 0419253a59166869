#include "plan/fading_alone.h"

#include <string_view>

#include "grammar/number_text.h"
#include "itur/fading_availability.h"
#include "plan/plan_run.h"

namespace tropolink {
namespace {

std::string label(itur::ItuMethod method) { return std::string(itur::methodNames(method).label); }

std::optional<OneReceiverFading> oneReceiver(const PlanResult& r, itur::ItuMethod method) {
    itur::FadingRequest request;
    request.requiredAvailabilityPercent = r.plan.requiredAvailabilityPercent;
    request.improvementMargins = false;
    const std::optional<itur::MethodFading> f =
        itur::methodFading(method, r.link, r.budget, r.plan.availability.requiredSnrDb, request);
    if (!f || !f->stations || !f->atRequiredPercent) return std::nullopt;
    OneReceiverFading m;
    m.method = method;
    m.stations = *f->stations;
    m.marginNeededDb = f->atRequiredPercent->oneReceiverDb;
    m.met = true;
    for (const itur::StationFading& s : m.stations)
        m.met = m.met && s.oneReceiver.percent >= r.plan.requiredAvailabilityPercent;
    return m;
}

std::string methodNote(const PlanResult& r, const OneReceiverFading& m) {
    const auto station = [&](int n, std::string_view words) {
        const itur::StationFading& s = m.stations[static_cast<std::size_t>(n - 1)];
        return fixedText(s.oneReceiver.percent, 4) + " %" + std::string(words) +
               (n == 1 ? r.plan.station1.name : r.plan.station2.name) + " (median margin " +
               fixedText(s.medianMarginDb, 3) + " dB)";
    };
    std::string required;
    appendShortest(required, r.plan.requiredAvailabilityPercent);
    return "With fading within the hour and one receiver, " + label(m.method) + " reaches " + station(1, " of the year received at ") +
           " and " + station(2, " at ") + ", " + (m.met ? "met" : "NOT MET") + ": " + required + " % needs a median margin of " +
           fixedText(m.marginNeededDb, 3) + " dB";
}

}  // namespace

std::optional<FadingAlone> fadingAlone(const PlanResult& r) {
    if (r.plan.availability.fading || !r.plan.availability.requiredSnrDb) return std::nullopt;
    FadingAlone a;
    for (const itur::ItuMethod method : itur::kItuMethods)
        if (auto m = oneReceiver(r, method)) a.methods.push_back(*m);
    if (r.decision && r.decision->applies)
        for (const OneReceiverFading& m : a.methods)
            if (m.method == r.decision->method) a.verdictMet = m.met;
    if (a.verdictMet)
        a.notes.push_back("Fading within the hour, which this verdict leaves out, would make it " +
                          std::string(*a.verdictMet ? "met" : "NOT MET") + " with one receiver (" +
                          label(r.decision->method) +
                          "); [diversity] in the plan puts fading and the receiver's diversity in the verdict");
    for (const OneReceiverFading& m : a.methods) a.notes.push_back(methodNote(r, m));
    if (a.methods.empty()) return std::nullopt;
    return a;
}

}  // namespace tropolink
