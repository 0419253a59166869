#include "itur/fading_availability.h"

namespace tropolink::itur {
namespace {

constexpr Diversity kOneReceiver{};

RequiredMargins requiredMargins(const FadeNodes& nodes, const LossCurve& loss, double percent,
                                const Diversity& diversity) {
    requirePercent(percent);
    const double outage = 1 - percent / 100;
    RequiredMargins r;
    r.percent = percent;
    r.hourlyMedianOnlyDb = loss(percent) - loss(50);
    r.oneReceiverDb = medianMarginForOutage(nodes, outage, kOneReceiver);
    r.withDiversityDb = diversity.order == 1 && diversity.branchCorrelation == 0
                            ? r.oneReceiverDb
                            : medianMarginForOutage(nodes, outage, diversity);
    return r;
}

FadingAvailability availabilityOf(const YearlyOutage& y) {
    return {y.availabilityPercent(), y.minutesPerYear(), y.heldMatters()};
}

LossCurve lossCurve(ItuMethod method, const ItuLink& link) {
    if (method == ItuMethod::P617)
        return [terms = p617Terms(p617Path(link))](double p) { return p617LossAt(terms, p); };
    return [terms = p2001Terms(p2001Path(link))](double p) { return p2001LossAt(terms, p); };
}

// The largest p at which L(p) sits on its free-space floor, 0 when none.
double floorPercent(ItuMethod method, const ItuLink& link) {
    if (method == ItuMethod::P617) {
        const P617Terms t = p617Terms(p617Path(link));
        return p617PercentAtLoss(t, t.freeSpaceDb);
    }
    const P2001Terms t = p2001Terms(p2001Path(link));
    return p2001PercentAtLoss(t, t.freeSpaceDb);
}

}  // namespace

std::optional<FadeNodes> methodFadeNodes(ItuMethod method, const ItuLink& link) {
    if (methodLoss(method, link, 50).verdict != MethodVerdict::Valid) return std::nullopt;
    return fadeNodes(lossCurve(method, link), floorPercent(method, link));
}

std::optional<MethodFading> methodFading(ItuMethod method, const ItuLink& link, const LinkBudget& budget,
                                         std::optional<double> requiredSnrDb, const FadingRequest& request) {
    validateDiversity(request.diversity);
    if (request.requiredAvailabilityPercent) requirePercent(*request.requiredAvailabilityPercent);
    const std::optional<FadeNodes> nodes = methodFadeNodes(method, link);
    if (!nodes) return std::nullopt;
    const LossCurve loss = lossCurve(method, link);
    MethodFading f;
    f.diversity = request.diversity;
    if (request.improvementMargins)
        for (const double percent : kImprovementPercents)
            f.atImprovementPercents.push_back(requiredMargins(*nodes, loss, percent, request.diversity));
    if (request.requiredAvailabilityPercent)
        f.atRequiredPercent = requiredMargins(*nodes, loss, *request.requiredAvailabilityPercent, request.diversity);
    if (requiredSnrDb) {
        const double medianLossDb = loss(50);
        std::array<StationFading, 2> stations{};
        for (int station = 1; station <= 2; ++station) {
            StationFading& s = stations[static_cast<std::size_t>(station - 1)];
            s.medianMarginDb = (station == 1 ? snrAtStation1(budget, medianLossDb)
                                             : snrAtStation2(budget, medianLossDb)) - *requiredSnrDb;
            s.oneReceiver = availabilityOf(yearlyOutage(*nodes, s.medianMarginDb, kOneReceiver));
            s.withDiversity = availabilityOf(yearlyOutage(*nodes, s.medianMarginDb, request.diversity));
        }
        f.stations = stations;
    }
    return f;
}

}  // namespace tropolink::itur
