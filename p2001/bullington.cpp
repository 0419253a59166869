#include "p2001/bullington.h"

#include <cmath>
#include <cstddef>
#include <limits>

#include "p2001/basic_losses.h"
#include "p2001/bullington_terms.h"

namespace tropolink::p2001 {
namespace {

constexpr double kBulgeMPerKm2 = 500;  // earth bulge 500·d1·d2/a, m
constexpr double kFresnelScale = 0.002;

}  // namespace

double bullingtonFresnelWeight(double d1, double d) { return std::sqrt(kFresnelScale * d / (d1 * (d - d1))); }

BullingtonPoint bullingtonCrossing(double hts, double hrs, double stim, double srim, double d) {
    const double dbp = (hrs - hts + srim * d) / (stim + srim);
    BullingtonPoint r;
    // On the rounding edge of line of sight the rays cross over a terminal;
    // there the clearance vanishes as fast as sqrt(d1·d2), so ν tends to 0.
    if (!(dbp > 0 && dbp < d)) {
        r.atTerminal = true;
        return r;
    }
    r.nuRootLambda = (hts + stim * dbp - (hts * (d - dbp) + hrs * dbp) / d) * bullingtonFresnelWeight(dbp, d);
    return r;
}

namespace {

// The inputs are finite, so no NaN needs fmax's care.
double larger(double a, double b) { return a > b ? a : b; }

constexpr double kNegativeInfinity = -std::numeric_limits<double>::infinity();

}  // namespace

double bullingtonBulgeM(double cp, double d1, double d) { return kBulgeMPerKm2 * cp * d1 * (d - d1); }

BullingtonPoint bullingtonActualPoint(std::span<const double> di, std::span<const double> h, double hts, double hrs,
                                      double cp) {
    const std::size_t last = di.size() - 1;
    const double d = di[last];
    double stim = kNegativeInfinity;
    for (std::size_t i = 1; i < last; ++i) stim = larger(stim, (h[i] + bullingtonBulgeM(cp, di[i], d) - hts) / di[i]);
    if (stim < (hrs - hts) / d) {
        double nuMax = kNegativeInfinity;
        for (std::size_t i = 1; i < last; ++i) {
            const double clearance = h[i] + bullingtonBulgeM(cp, di[i], d) - (hts * (d - di[i]) + hrs * di[i]) / d;
            nuMax = larger(nuMax, clearance * bullingtonFresnelWeight(di[i], d));
        }
        return {true, nuMax, false};
    }
    double srim = kNegativeInfinity;
    for (std::size_t i = 1; i < last; ++i)
        srim = larger(srim, (h[i] + bullingtonBulgeM(cp, di[i], d) - hrs) / (d - di[i]));
    return bullingtonCrossing(hts, hrs, stim, srim, d);
}

BullingtonPoint bullingtonSmoothPoint(std::span<const double> di, double htep, double hrep, double ap) {
    const std::size_t last = di.size() - 1;
    const double d = di[last];
    double stim = kNegativeInfinity;
    for (std::size_t i = 1; i < last; ++i) stim = larger(stim, kBulgeMPerKm2 * (d - di[i]) / ap - htep / di[i]);
    if (stim < (hrep - htep) / d) {
        double nuMax = kNegativeInfinity;
        for (std::size_t i = 1; i < last; ++i) {
            const double clearance = kBulgeMPerKm2 * di[i] * (d - di[i]) / ap - (htep * (d - di[i]) + hrep * di[i]) / d;
            nuMax = larger(nuMax, clearance * bullingtonFresnelWeight(di[i], d));
        }
        return {true, nuMax, false};
    }
    double srim = kNegativeInfinity;
    for (std::size_t i = 1; i < last; ++i) srim = larger(srim, kBulgeMPerKm2 * di[i] / ap - hrep / (d - di[i]));
    return bullingtonCrossing(htep, hrep, stim, srim, d);
}

BullingtonLoss bullingtonLoss(const BullingtonPoint& point, double lambda, double d) {
    BullingtonLoss r;
    r.lineOfSight = point.lineOfSight;
    r.knifeEdgeDb = knifeEdgeLossDb(point.nuRootLambda / std::sqrt(lambda));
    // The single edge underestimates the loss of a long, many-edged path.
    r.lossDb = r.knifeEdgeDb + (1 - std::exp(-r.knifeEdgeDb / 6)) * (10 + 0.02 * d);
    return r;
}

}  // namespace tropolink::p2001
