#include "itur/availability.h"

#include <algorithm>

#include "itur/fading_availability.h"

namespace tropolink::itur {
namespace {

// One method's terms on one link: L(p) for every p from one evaluation.
struct MethodTerms {
    ItuMethod method = ItuMethod::P617;
    P617Terms p617;
    P2001Terms p2001;

    const MethodLoss& domain() const { return method == ItuMethod::P617 ? p617.domain : p2001.domain; }
    double lossAt(double p) const { return method == ItuMethod::P617 ? p617LossAt(p617, p) : p2001LossAt(p2001, p); }
    double freeSpaceDb() const { return method == ItuMethod::P617 ? p617.freeSpaceDb : p2001.freeSpaceDb; }
    double percentAtLoss(double maxLossDb) const {
        return method == ItuMethod::P617 ? p617PercentAtLoss(p617, maxLossDb) : p2001PercentAtLoss(p2001, maxLossDb);
    }
};

MethodTerms termsOf(ItuMethod method, const ItuLink& link) {
    MethodTerms t;
    t.method = method;
    if (method == ItuMethod::P617)
        t.p617 = p617Terms(p617Path(link));
    else
        t.p2001 = p2001Terms(p2001Path(link));
    return t;
}

double snrAt(const LinkBudget& budget, int station, double lossDb) {
    return station == 1 ? snrAtStation1(budget, lossDb) : snrAtStation2(budget, lossDb);
}

// The losses that every row and availability of one method share.
struct SharedLosses {
    double medianDb = 0;
    double lowestDb = 0;   // at kLowestPercent
    double highestDb = 0;  // at kHighestPercent
};

SharedLosses sharedLosses(const MethodTerms& t, bool withBounds) {
    if (t.domain().verdict != MethodVerdict::Valid) return {};
    if (!withBounds) return {t.lossAt(50), 0, 0};
    return {t.lossAt(50), t.lossAt(kLowestPercent), t.lossAt(kHighestPercent)};
}

PercentFigures figuresOf(const MethodTerms& t, const SharedLosses& shared, const LinkBudget& budget, double p) {
    requirePercent(p);
    PercentFigures f;
    f.percent = p;
    f.verdict = t.domain().verdict;
    f.reason = t.domain().reason;
    if (f.verdict != MethodVerdict::Valid) return f;
    f.loss = t.lossAt(p);
    f.fadeMargin = *f.loss - shared.medianDb;
    f.snrAtStation1 = snrAtStation1(budget, *f.loss);
    f.snrAtStation2 = snrAtStation2(budget, *f.loss);
    return f;
}

StationAvailability availabilityOf(const MethodTerms& t, const SharedLosses& shared, const LinkBudget& budget,
                                   int station, double requiredSnrDb) {
    switch (t.domain().verdict) {
        case MethodVerdict::LineOfSight:
            return {AvailabilityBound::LineOfSight, OutOfRangeReason::None, std::nullopt, std::nullopt};
        case MethodVerdict::OutOfRange:
            return {AvailabilityBound::OutOfRange, t.domain().reason, std::nullopt, std::nullopt};
        case MethodVerdict::Valid:
            break;
    }
    const auto meets = [&](double lossDb) { return snrAt(budget, station, lossDb) >= requiredSnrDb; };
    if (meets(shared.highestDb))
        return {AvailabilityBound::Above, OutOfRangeReason::None, std::nullopt, std::nullopt};
    if (!meets(shared.lowestDb))
        return {AvailabilityBound::Below, OutOfRangeReason::None, std::nullopt, std::nullopt};
    // Met at the lowest percentage, so the requirement's loss is at least the free-space floor.
    const double maxLossDb = std::max(snrAt(budget, station, 0) - requiredSnrDb, t.freeSpaceDb());
    const double p = std::clamp(t.percentAtLoss(maxLossDb), kLowestPercent, kHighestPercent);
    return {AvailabilityBound::None, OutOfRangeReason::None, p, (100 - p) / 100 * kMinutesPerYear};
}

MethodAnswer answerOf(ItuMethod method, const ItuLink& link, const LinkBudget& budget,
                      std::span<const double> percents, std::optional<double> requiredSnrDb,
                      const std::optional<FadingRequest>& fading) {
    const MethodTerms terms = termsOf(method, link);
    const SharedLosses shared = sharedLosses(terms, requiredSnrDb.has_value());
    MethodAnswer answer;
    answer.domain = terms.domain();
    for (const double p : percents) answer.rows.push_back(figuresOf(terms, shared, budget, p));
    if (requiredSnrDb)
        answer.availability = {availabilityOf(terms, shared, budget, 1, *requiredSnrDb),
                               availabilityOf(terms, shared, budget, 2, *requiredSnrDb)};
    if (fading) answer.fading = methodFading(method, link, budget, requiredSnrDb, *fading);
    return answer;
}

}  // namespace

P617Path p617Path(const ItuLink& link) {
    const ScatterGeometry& g = link.geometry;
    return {.fMhz = link.frequencyMhz,
            .dKm = g.distanceKm,
            .aeKm = g.effectiveEarthRadiusKm,
            .thetaTMrad = g.thetaTMrad,
            .thetaRMrad = g.thetaRMrad,
            .htsM = g.antennaHeight1M,
            .hrsM = g.antennaHeight2M,
            .gtDbi = link.gain1Dbi,
            .grDbi = link.gain2Dbi,
            .n0 = link.surfaceRefractivity,
            .deltaN = link.deltaN,
            .hsKm = link.groundHeightKm,
            .revisedAngleTerm = false};
}

P2001Path p2001Path(const ItuLink& link) {
    const ScatterGeometry& g = link.geometry;
    return {.fMhz = link.frequencyMhz,
            .dKm = g.distanceKm,
            .aeKm = g.effectiveEarthRadiusKm,
            .thetaTMrad = g.thetaTMrad,
            .thetaRMrad = g.thetaRMrad,
            .zone = link.climateZone,
            .gtDbi = link.gain1Dbi,
            .grDbi = link.gain2Dbi};
}

MethodLoss methodLoss(ItuMethod method, const ItuLink& link, double p) {
    return method == ItuMethod::P617 ? p617Loss(p617Path(link), p) : p2001Loss(p2001Path(link), p);
}

double snrAtStation1(const LinkBudget& b, double lossDb) { return (b.eirp2Dbw - lossDb) - b.sensitivity1Dbw; }
double snrAtStation2(const LinkBudget& b, double lossDb) { return (b.eirp1Dbw - lossDb) - b.sensitivity2Dbw; }

PercentFigures percentFigures(ItuMethod method, const ItuLink& link, const LinkBudget& budget, double p) {
    const MethodTerms terms = termsOf(method, link);
    return figuresOf(terms, sharedLosses(terms, false), budget, p);
}

StationAvailability stationAvailability(ItuMethod method, const ItuLink& link, const LinkBudget& budget, int station,
                                        double requiredSnrDb) {
    const MethodTerms terms = termsOf(method, link);
    return availabilityOf(terms, sharedLosses(terms, true), budget, station, requiredSnrDb);
}

const MethodAnswer& methodAnswer(const AvailabilityAnswer& answer, ItuMethod method) {
    return method == ItuMethod::P617 ? answer.p617 : answer.p2001;
}

AvailabilityAnswer answerAvailability(const ItuLink& link, const LinkBudget& budget, std::span<const double> percents,
                                      std::optional<double> requiredSnrDb,
                                      const std::optional<FadingRequest>& fading) {
    AvailabilityAnswer answer;
    const ScatterGeometry& g = link.geometry;
    answer.geometry = g;
    if (!g.lineOfSight()) answer.commonVolumeHeightKm = commonVolumeHeightKm(p617Path(link));
    answer.p617 = answerOf(ItuMethod::P617, link, budget, percents, requiredSnrDb, fading);
    answer.p2001 = answerOf(ItuMethod::P2001, link, budget, percents, requiredSnrDb, fading);
    answer.fading = fading;
    return answer;
}

}  // namespace tropolink::itur
