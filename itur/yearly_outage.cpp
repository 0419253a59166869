#include "itur/yearly_outage.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>
#include <stdexcept>
#include <string>

#include "itur/gauss_legendre.h"
#include "itur/method_domain.h"
#include "itur/short_term_outage.h"

namespace tropolink::itur {
namespace {

constexpr double kInvSqrt2 = 1 / std::numbers::sqrt2;
constexpr double kInvSqrt2Pi = 0.5 * std::numbers::inv_sqrtpi * std::numbers::sqrt2;
constexpr double kMedianPercent = 50;

// Φ(z), kept exact in the upper tail too.
double normalShare(double z) { return 0.5 * std::erfc(-z * kInvSqrt2); }

// 100·Φ(z) as a percentage: 100 − 100·Φ(−z) above the median, so that the
// method reads 100 − p to full precision near 100 %.
double percentAt(double z) {
    return z < 0 ? 50 * std::erfc(-z * kInvSqrt2) : 100 - 50 * std::erfc(z * kInvSqrt2);
}

double normalDensity(double z) { return kInvSqrt2Pi * std::exp(-0.5 * z * z); }

// w³(10 − 15w + 6w²): flat to second order at both ends, where a piece meets
// the median's cusp (ΔL grows as |z|^0.67 there), the floor, or the held range.
double crowded(double w) { return w * w * w * (10 + w * (-15 + 6 * w)); }
double crowdedSlope(double w) { return 30 * w * w * (1 - w) * (1 - w); }

void addPiece(FadeNodes& nodes, const LossCurve& loss, double medianDb, double from, double to) {
    const GaussLegendreRule rule = gaussLegendreRule();
    for (std::size_t i = 0; i < rule.nodes.size(); ++i) {
        const double w = rule.nodes[i];
        const double z = from + (to - from) * crowded(w);
        nodes.shares.push_back(rule.weights[i] * (to - from) * crowdedSlope(w) * normalDensity(z));
        nodes.fadesDb.push_back(loss(percentAt(z)) - medianDb);
    }
}

}  // namespace

double normalDeviate(double u) {
    if (!(u > 0 && u < 1)) throw std::domain_error("share of the year " + std::to_string(u) + " is not in (0, 1)");
    if (u > 0.5) return -normalDeviate(1 - u);
    // Newton on ln Φ(z) − ln u, concave and rising: from a start below the
    // root, where Φ(−√(−2 ln u)) ≤ u/2, it climbs to it without overshoot.
    const double target = std::log(u);
    double z = -std::sqrt(-2 * target);
    for (int step = 0; step < 200; ++step) {
        const double share = normalShare(z);
        const double change = (std::log(share) - target) * share / normalDensity(z);
        z -= change;
        if (std::abs(change) < 1e-15 * std::max(1.0, std::abs(z))) break;
    }
    return z;
}

double YearlyOutage::minutesPerYear() const { return outage * kMinutesPerYear; }

FadeNodes fadeNodes(const LossCurve& loss, double floorPercent) {
    const double medianDb = loss(kMedianPercent);
    const double lowShare = kLowestPercent / 100;
    const double highShare = (100 - kHighestPercent) / 100;
    const double zLow = normalDeviate(lowShare);
    const double zHigh = -zLow;
    FadeNodes nodes;
    nodes.shares = {lowShare, highShare};
    nodes.fadesDb = {loss(kLowestPercent) - medianDb, loss(kHighestPercent) - medianDb};
    nodes.lowTailHeld = !(floorPercent > kLowestPercent);
    double smoothFrom = zLow;
    if (floorPercent > kLowestPercent) {
        // On the floor L(p) is constant: one node for the whole stretch.
        const double floorTop = std::min(floorPercent, kHighestPercent);
        smoothFrom = normalDeviate(floorTop / 100);
        nodes.shares.push_back((floorTop - kLowestPercent) / 100);
        nodes.fadesDb.push_back(loss(floorTop) - medianDb);
    }
    if (smoothFrom < 0) {
        addPiece(nodes, loss, medianDb, smoothFrom, 0);
        smoothFrom = 0;
    }
    if (smoothFrom < zHigh) addPiece(nodes, loss, medianDb, smoothFrom, zHigh);
    return nodes;
}

YearlyOutage yearlyOutage(const FadeNodes& nodes, double medianMarginDb, const Diversity& diversity) {
    const std::size_t count = nodes.shares.size();
    std::vector<double> q(count);
    for (std::size_t i = 0; i < count; ++i) q[i] = medianMarginDb - nodes.fadesDb[i];
    shortTermOutages(q, diversity, q);
    YearlyOutage y;
    for (std::size_t i = 0; i < count; ++i) y.outage += nodes.shares[i] * q[i];
    y.heldOutage = nodes.shares[1] * q[1] + (nodes.lowTailHeld ? nodes.shares[0] * q[0] : 0);
    y.outage = std::min(y.outage, 1.0);
    return y;
}

double medianMarginForOutage(const FadeNodes& nodes, double outage, const Diversity& diversity) {
    if (!(outage > 0 && outage < 1))
        throw std::domain_error("yearly outage " + std::to_string(outage) + " is not in (0, 1)");
    const double target = std::log(outage);
    // g(M) = log(outage(M)) − log(target) falls from +ln(1/target) to −∞.
    const auto g = [&](double m) { return std::log(yearlyOutage(nodes, m, diversity).outage) - target; };
    constexpr double kFirstStepDb = 16;
    double low = 0;
    double gLow = g(low);
    double high = low;
    double gHigh = gLow;
    for (double step = kFirstStepDb; gHigh > 0; step *= 2) {
        low = high;
        gLow = gHigh;
        high += step;
        gHigh = g(high);
    }
    for (double step = kFirstStepDb; gLow < 0; step *= 2) {
        high = low;
        gHigh = gLow;
        low -= step;
        gLow = g(low);
    }
    // Illinois: when the same side moves twice in a row, the other's g is halved, so both close in.
    int lastMoved = 0;
    for (int i = 0; i < 200 && high - low > kMarginToleranceDb; ++i) {
        const bool secant = std::isfinite(gHigh) && gLow != gHigh;
        double m = secant ? high - gHigh * (high - low) / (gHigh - gLow) : low + (high - low) / 2;
        m = std::clamp(m, low + 0.25 * kMarginToleranceDb, high - 0.25 * kMarginToleranceDb);
        const double gm = g(m);
        if (gm == 0) return m;
        if (gm > 0) {
            low = m;
            gLow = gm;
            if (lastMoved == 1) gHigh /= 2;
            lastMoved = 1;
        } else {
            high = m;
            gHigh = gm;
            if (lastMoved == -1) gLow /= 2;
            lastMoved = -1;
        }
    }
    return low + (high - low) / 2;
}

}  // namespace tropolink::itur
