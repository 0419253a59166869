#include "p2001/clear_air.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

#include "p2001/constants.h"

namespace tropolink::p2001 {
namespace {

constexpr double kMaxGeoclimaticDb = 10.8;
constexpr double kHalfQuantile = 0.6931471805599453;  // ln 2: the fade at Q0ca is exceeded half the time

double cosd(double x) { return std::cos(x * (kPi / 180)); }

// Q0ca for one section of the path: dca (km), slope εca (mrad), lower height hca (m).
double sectionZeroFadePercent(double k, double dca, double eca, double hca, double fGhz, double latMidDeg) {
    const double qw =
        k * std::pow(dca, 3.1) * std::pow(1 + eca, -1.29) * std::pow(fGhz, 0.8) * std::pow(10.0, -0.00089 * hca);
    const double latitudeTerm = std::pow(std::fabs(cosd(2 * latMidDeg)), 0.7);
    double cg = std::fabs(latMidDeg) <= 45
                    ? 10.5 - 5.6 * std::log10(1.1 + latitudeTerm) - 2.7 * std::log10(dca) + 1.7 * std::log10(1 + eca)
                    : 10.5 - 5.6 * std::log10(1.1 - latitudeTerm) - 2.7 * std::log10(dca) + 1.7 * std::log10(1 + eca);
    cg = std::min(cg, kMaxGeoclimaticDb);
    return qw * std::pow(10.0, -0.1 * cg);
}

}  // namespace

double zeroFadePercent(const PathGeometry& g, const std::vector<double>& h, double dndz01, double fGhz) {
    const double k = std::pow(10.0, -(4.6 + 0.0027 * dndz01));
    const double lat = g.mid.latDeg;
    const Horizons& hz = g.horizon;
    if (hz.lineOfSight) return sectionZeroFadePercent(k, g.dKm, g.slopeMrad, g.hloM, fGhz, lat);
    const double atTx = sectionZeroFadePercent(k, hz.dLtKm, std::fabs(hz.thetaTMrad),
                                               std::min(g.htsM, h[static_cast<std::size_t>(hz.iLt)]), fGhz, lat);
    const double atRx = sectionZeroFadePercent(k, hz.dLrKm, std::fabs(hz.thetaRMrad),
                                               std::min(g.hrsM, h[static_cast<std::size_t>(hz.iLr)]), fGhz, lat);
    return std::max(atTx, atRx);
}

double surfaceFadeExceededPercent(double a, double q0ca) {
    if (a >= 0) {
        const double qt = 3.576 - 1.955 * std::log10(q0ca);
        const double fall = std::pow(10.0, -0.05 * a);
        const double qa = 2 + (1 + 0.3 * fall) * std::pow(10.0, -0.016 * a) * (qt + 4.3 * (fall + a / 800));
        return 100 * (1 - std::exp(-std::pow(10.0, -0.05 * qa * a) * kHalfQuantile));
    }
    const double qs = -4.05 - 2.35 * std::log10(q0ca);
    const double rise = std::pow(10.0, 0.05 * a);
    const double qe = 8 + (1 + 0.3 * rise) * std::pow(10.0, 0.035 * a) * (qs + 12 * (rise - a / 800));
    return 100 * std::exp(-std::pow(10.0, 0.05 * qe * a) * kHalfQuantile);
}

double troposcatterFadeExceededPercent(double a) { return a < 0 ? 100 : 0; }

}  // namespace tropolink::p2001
