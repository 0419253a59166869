#include "itur/availability.h"

#include "itur/p617_method.h"

namespace tropolink::itur {
namespace {

// Bisection stops when the bracket is this narrow, well inside 1e-6 %.
constexpr double kPercentResolution = 1e-7;

std::optional<double> snrAt(ItuMethod method, const ItuLink& link, const LinkBudget& budget, int station, double p) {
    const std::optional<double> loss = methodLoss(method, link, p);
    if (!loss) return std::nullopt;
    return station == 1 ? snrAtStation1(budget, *loss) : snrAtStation2(budget, *loss);
}

MethodAnswer methodAnswer(ItuMethod method, const ItuLink& link, const LinkBudget& budget,
                          std::span<const double> percents, std::optional<double> requiredSnrDb) {
    MethodAnswer answer;
    for (const double p : percents) answer.rows.push_back(percentFigures(method, link, budget, p));
    if (requiredSnrDb)
        answer.availability = {stationAvailability(method, link, budget, 1, *requiredSnrDb),
                               stationAvailability(method, link, budget, 2, *requiredSnrDb)};
    return answer;
}

}  // namespace

std::optional<double> methodLoss(ItuMethod method, const ItuLink& link, double p) {
    const ScatterGeometry& g = link.geometry;
    if (g.lineOfSight()) return std::nullopt;
    if (method == ItuMethod::P617)
        return p617Loss(link.frequencyMhz, g.distanceKm, g.thetaTMrad, g.thetaRMrad, g.antennaHeight1M,
                        g.antennaHeight2M, link.gain1Dbi, link.gain2Dbi, link.surfaceRefractivity, link.deltaN,
                        link.groundHeightKm, p, g.effectiveEarthRadiusKm);
    return p2001Loss(link.frequencyMhz / 1000, p, g.distanceKm, g.distanceKm / g.effectiveEarthRadiusKm, g.thetaTMrad,
                     g.thetaRMrad, g.effectiveEarthRadiusKm, link.climateZone, link.gain1Dbi, link.gain2Dbi);
}

double snrAtStation1(const LinkBudget& b, double lossDb) { return (b.eirp2Dbw - lossDb) - b.sensitivity1Dbw; }
double snrAtStation2(const LinkBudget& b, double lossDb) { return (b.eirp1Dbw - lossDb) - b.sensitivity2Dbw; }

PercentFigures percentFigures(ItuMethod method, const ItuLink& link, const LinkBudget& budget, double p) {
    PercentFigures f;
    f.percent = p;
    const std::optional<double> loss = methodLoss(method, link, p);
    const std::optional<double> median = methodLoss(method, link, 50);
    if (!loss || !median) return f;
    f.loss = loss;
    f.fadeMargin = *loss - *median;
    f.snrAtStation1 = snrAtStation1(budget, *f.loss);
    f.snrAtStation2 = snrAtStation2(budget, *f.loss);
    return f;
}

StationAvailability stationAvailability(ItuMethod method, const ItuLink& link, const LinkBudget& budget, int station,
                                        double requiredSnrDb) {
    const auto meets = [&](double p) {
        const std::optional<double> snr = snrAt(method, link, budget, station, p);
        return snr && *snr >= requiredSnrDb;
    };
    if (!methodLoss(method, link, 50)) return {AvailabilityBound::LineOfSight, std::nullopt, std::nullopt};
    if (meets(kHighestPercent)) return {AvailabilityBound::Above, std::nullopt, std::nullopt};
    if (!meets(kLowestPercent)) return {AvailabilityBound::Below, std::nullopt, std::nullopt};
    // The S/N falls as p rises: `met` always meets the requirement, `failed` never does.
    double met = kLowestPercent;
    double failed = kHighestPercent;
    while (failed - met > kPercentResolution) {
        const double mid = met + (failed - met) / 2;
        (meets(mid) ? met : failed) = mid;
    }
    return {AvailabilityBound::None, met, (100 - met) / 100 * kMinutesPerYear};
}

AvailabilityAnswer answerAvailability(const ItuLink& link, const LinkBudget& budget, std::span<const double> percents,
                                      std::optional<double> requiredSnrDb) {
    AvailabilityAnswer answer;
    const ScatterGeometry& g = link.geometry;
    answer.geometry = g;
    if (!g.lineOfSight())
        answer.commonVolumeHeightKm = commonVolumeHeightKm(g.distanceKm, g.thetaTMrad, g.thetaRMrad, g.antennaHeight1M,
                                                           g.antennaHeight2M, g.effectiveEarthRadiusKm);
    answer.p617 = methodAnswer(ItuMethod::P617, link, budget, percents, requiredSnrDb);
    answer.p2001 = methodAnswer(ItuMethod::P2001, link, budget, percents, requiredSnrDb);
    return answer;
}

}  // namespace tropolink::itur
