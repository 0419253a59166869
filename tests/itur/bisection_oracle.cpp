#include "bisection_oracle.h"

namespace tropolink::itur::testing_support {

StationAvailability bisectedAvailability(ItuMethod method, const ItuLink& link, const LinkBudget& budget, int station,
                                         double requiredSnrDb) {
    constexpr double kPercentResolution = 1e-7;
    const MethodLoss median = methodLoss(method, link, 50);
    if (median.verdict == MethodVerdict::LineOfSight) return {AvailabilityBound::LineOfSight, {}, {}, {}};
    if (median.verdict == MethodVerdict::OutOfRange) return {AvailabilityBound::OutOfRange, median.reason, {}, {}};
    const auto meets = [&](double p) {
        const double loss = methodLoss(method, link, p).lossDb;
        return (station == 1 ? snrAtStation1(budget, loss) : snrAtStation2(budget, loss)) >= requiredSnrDb;
    };
    if (meets(kHighestPercent)) return {AvailabilityBound::Above, {}, {}, {}};
    if (!meets(kLowestPercent)) return {AvailabilityBound::Below, {}, {}, {}};
    double met = kLowestPercent;
    double failed = kHighestPercent;
    while (failed - met > kPercentResolution) {
        const double mid = met + (failed - met) / 2;
        (meets(mid) ? met : failed) = mid;
    }
    return {AvailabilityBound::None, {}, met, (100 - met) / 100 * kMinutesPerYear};
}

}  // namespace tropolink::itur::testing_support
