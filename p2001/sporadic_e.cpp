#include "p2001/sporadic_e.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "p2001/basic_losses.h"
#include "p2001/constants.h"

namespace tropolink::p2001 {
namespace {

constexpr double kLayerHeightKm = 120;
constexpr double kDominanceDb = 20;  // a hop this much stronger decides alone

// Percentages of the four maps.
constexpr FoEsMapValues kMapPercents{0.1, 1, 10, 50};

// ν at a terminal without its frequency factor: the terminal's horizon θ
// (mrad) against the ray's elevation εr (rad) over horizon distance dl.
double terminalNu(double thetaMrad, double epsilonR, double dl) {
    const double delta = 0.001 * thetaMrad - epsilonR;
    const double cosTheta = std::cos(0.001 * thetaMrad);
    // A horizon falling more steeply than 1570.8 mrad (90° as the formula
    // reads a slope) is far below the ray: ν's limit there is −∞, no loss.
    // (Rising as steeply, the path is refused before this.)
    if (!(cosTheta > 0)) return -std::numeric_limits<double>::infinity();
    const double magnitude = 3.651 * std::sqrt(1000 * dl * (1 - std::cos(delta)) / cosTheta);
    return delta >= 0 ? magnitude : -magnitude;
}

// One hop per `hops`, each over d/hops: the slant distance and the rays'
// elevation at the terminals.
HopGeometry hop(const PathGeometry& g, int hops) {
    const double ae = g.aeKm;
    const double alpha = g.dKm / (2 * hops * ae);
    const double chord = std::sqrt(ae * ae + (ae + kLayerHeightKm) * (ae + kLayerHeightKm) -
                                   2 * ae * (ae + kLayerHeightKm) * std::cos(alpha));
    const double epsilonR =
        0.5 * kPi - std::atan(ae * std::sin(alpha) / (kLayerHeightKm + ae * (1 - std::cos(alpha)))) - alpha;
    HopGeometry h;
    h.freeSpaceDistanceKm = 2 * hops * chord;
    h.nuTx = terminalNu(g.horizon.thetaTMrad, epsilonR, g.horizon.dLtKm);
    h.nuRx = terminalNu(g.horizon.thetaRMrad, epsilonR, g.horizon.dLrKm);
    return h;
}

HopLoss hopLoss(const HopGeometry& h, double f, double gamma) {
    HopLoss r;
    r.ionosphericDb = gamma;
    const double scale = std::sqrt(f);
    r.txDiffractionDb = knifeEdgeLossDb(h.nuTx * scale);
    r.rxDiffractionDb = knifeEdgeLossDb(h.nuRx * scale);
    r.lossDb = freeSpaceLossDb(f, h.freeSpaceDistanceKm) + gamma + r.txDiffractionDb + r.rxDiffractionDb;
    return r;
}

}  // namespace

double foEsMhz(const FoEsMapValues& maps, double p) {
    const int lower = p < 1 ? 0 : (p > 10 ? 2 : 1);
    const double p1 = kMapPercents[static_cast<std::size_t>(lower)];
    const double p2 = kMapPercents[static_cast<std::size_t>(lower + 1)];
    const double f1 = maps[static_cast<std::size_t>(lower)];
    const double f2 = maps[static_cast<std::size_t>(lower + 1)];
    return f1 + (f2 - f1) * std::log10(p / p1) / std::log10(p2 / p1);
}

SporadicEPath sporadicEPath(const PathGeometry& g) { return {hop(g, 1), hop(g, 2)}; }

SporadicELoss sporadicELoss(const SporadicEPath& s, double d, double f, double foEs1, double foEs2) {
    const double ratio1 = 1000 * f / foEs1;
    const double ratio2 = 1000 * f / foEs2;
    const double gamma1 =
        (40 / (1 + d / 130 + (d / 250) * (d / 250)) + 0.2 * (d / 2600) * (d / 2600)) * ratio1 * ratio1 +
        std::exp((d - 1660) / 280);
    const double gamma2 =
        (40 / (1 + d / 260 + (d / 500) * (d / 500)) + 0.2 * (d / 5200) * (d / 5200)) * ratio2 * ratio2 +
        std::exp((d - 3220) / 560);
    SporadicELoss r;
    r.oneHop = hopLoss(s.oneHop, f, gamma1);
    r.twoHop = hopLoss(s.twoHop, f, gamma2);
    const double l1 = r.oneHop.lossDb;
    const double l2 = r.twoHop.lossDb;
    if (l1 < l2 - kDominanceDb) {
        r.lossDb = l1;
    } else if (l2 < l1 - kDominanceDb) {
        r.lossDb = l2;
    } else {
        // Relative to the smaller: the powers of two losses above 3 000 dB
        // would underflow to 0.
        const double lm = std::min(l1, l2);
        r.lossDb = lm - 10 * std::log10(std::pow(10.0, -0.1 * (l1 - lm)) + std::pow(10.0, -0.1 * (l2 - lm)));
    }
    return r;
}

}  // namespace tropolink::p2001
