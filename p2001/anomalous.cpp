#include "p2001/anomalous.h"

#include <algorithm>
#include <cmath>

namespace tropolink::p2001 {
namespace {

constexpr double kPolarLatitudeDeg = 70;
constexpr double kCoastCouplingKm = 5;  // a terminal farther from the sea couples no surface duct
constexpr double kSeaPathFraction = 0.75;
constexpr double kLowFrequencyGhz = 0.5;
constexpr double kMaxRoughSectionKm = 40;

// Site shielding by a horizon θs above the ray at distance dl.
double shieldingDb(double thetaS, double fGhz, double dl) {
    if (!(thetaS > 0)) return 0;
    return 20 * std::log10(1 + 0.361 * thetaS * std::sqrt(fGhz * dl)) + 0.264 * thetaS * std::pow(fGhz, 1.0 / 3);
}

// A terminal near the sea on an over-sea path couples into a surface duct.
double seaCouplingDb(double dc, double dl, double hs) {
    if (dc > dl || dc > kCoastCouplingKm) return 0;
    return -3 * std::exp(-0.25 * dc * dc) * (1 + std::tanh(0.07 * (50 - hs)));
}

}  // namespace

DuctingPath ductingPath(const PathGeometry& g) {
    const double lat = std::fabs(g.mid.latDeg);
    const double tau = 1 - std::exp(-0.000412 * std::pow(g.dLmKm, 2.41));
    double mu1 = std::pow(std::pow(10.0, -g.dTmKm / (16 - 6.6 * tau)) + std::pow(10.0, -(2.48 + 1.77 * tau)), 0.2);
    mu1 = std::min(mu1, 1.0);
    const double mu4 = lat <= kPolarLatitudeDeg ? std::pow(10.0, (-0.935 + 0.0176 * lat) * std::log10(mu1))
                                                : std::pow(10.0, 0.3 * std::log10(mu1));
    const double beta0 = lat <= kPolarLatitudeDeg ? mu1 * mu4 * std::pow(10.0, -0.015 * lat + 1.67) : 4.17 * mu1 * mu4;

    const EffectiveHeights& e = g.heights;
    const double d = g.dKm;
    const double dar = std::min(d - g.horizon.dLtKm - g.horizon.dLrKm, kMaxRoughSectionKm);
    const double mu3 = e.hmM > 10 ? std::exp(-4.6e-5 * (e.hmM - 10) * (43 + 6 * dar)) : 1;
    const double alpha = std::max(-0.6 - 3.5e-9 * std::pow(d, 3.1) * tau, -3.4);
    const double rootSum = std::sqrt(e.hteaM) + std::sqrt(e.hreaM);
    const double mu2 = std::min(std::pow(500 * d * d / (g.aeKm * rootSum * rootSum), alpha), 1.0);
    DuctingPath r;
    r.betaDuctPercent = beta0 * mu2 * mu3;
    const double lb = std::log10(r.betaDuctPercent);
    r.gamma = 1.076 * std::exp(-1e-6 * std::pow(d, 1.13) * (9.51 - 4.8 * lb + 0.198 * lb * lb)) /
              std::pow(2.0058 - lb, 1.012);
    return r;
}

AnomalousCoupling anomalousCoupling(const PathGeometry& g, double f) {
    const Horizons& hz = g.horizon;
    const double gtr = 0.1 * hz.dLtKm;  // mrad
    const double grr = 0.1 * hz.dLrKm;
    const double ast = shieldingDb(hz.thetaTMrad - gtr, f, hz.dLtKm);
    const double asr = shieldingDb(hz.thetaRMrad - grr, f, hz.dLrKm);
    double act = 0;
    double acr = 0;
    if (g.seaFraction >= kSeaPathFraction) {
        act = seaCouplingDb(g.dCtKm, hz.dLtKm, g.htsM);
        acr = seaCouplingDb(g.dCrKm, hz.dLrKm, g.hrsM);
    }
    const double alf = f < kLowFrequencyGhz ? (45.375 - 137.0 * f + 92.5 * f * f) * g.seaFraction : 0;
    AnomalousCoupling r;
    r.aacDb = 102.45 + 20 * std::log10(f * (hz.dLtKm + hz.dLrKm)) + alf + ast + asr + act + acr;
    const double gammaD = 5e-5 * g.aeKm * std::pow(f, 1.0 / 3);
    const double thetaA = 1000 * g.dKm / g.aeKm + std::min(hz.thetaTMrad, gtr) + std::min(hz.thetaRMrad, grr);
    r.aadDb = thetaA > 0 ? gammaD * thetaA : 0;
    return r;
}

double anomalousTimeLossDb(const PathGeometry& g, const DuctingPath& duct, double p, double q) {
    const double ratio = p / duct.betaDuctPercent;
    return -12 + (1.2 + 0.0037 * g.dKm) * std::log10(ratio) + 12 * std::pow(ratio, duct.gamma) + 50 / q;
}

}  // namespace tropolink::p2001
