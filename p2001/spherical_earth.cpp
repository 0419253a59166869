#include "p2001/spherical_earth.h"

#include <algorithm>
#include <cmath>

#include "p2001/constants.h"

namespace tropolink::p2001 {
namespace {

struct Ground {
    double permittivity;
    double conductivitySPerM;
};
constexpr Ground kLand{22, 0.003};
constexpr Ground kSea{80, 5};

constexpr double kFresnelHeightM = 17.456;  // first Fresnel-zone height: 17.456·sqrt(d1·d2·λ/d)

// Normalised distance and height gain of the first-term formula.
double distanceTermDb(double x) {
    if (x >= 1.6) return 11 + 10 * std::log10(x) - 17.6 * x;
    return -20 * std::log10(x) - 5.6488 * std::pow(x, 1.425);
}

double heightGainDb(double b, double k) {
    double g =
        b > 2 ? 17.6 * std::pow(b - 1.1, 0.5) - 5 * std::log10(b - 1.1) - 8 : 20 * std::log10(b + 0.1 * b * b * b);
    return std::max(g, 2 + 20 * std::log10(k));
}

double firstTermOverDb(const SphericalEarthInput& in, double a, Ground ground) {
    const double f = in.fGhz;
    const double sigmaTerm = 18 * ground.conductivitySPerM / f;
    const double kh = 0.036 * std::pow(a * f, -1.0 / 3) *
                      std::pow((ground.permittivity - 1) * (ground.permittivity - 1) + sigmaTerm * sigmaTerm, -0.25);
    const double k = in.polarisation == Polarisation::Horizontal
                         ? kh
                         : kh * std::pow(ground.permittivity * ground.permittivity + sigmaTerm * sigmaTerm, 0.5);
    const double k2 = k * k;
    const double k4 = k2 * k2;
    const double beta = (1 + 1.6 * k2 + 0.67 * k4) / (1 + 4.5 * k2 + 1.53 * k4);
    const double x = 21.88 * beta * std::pow(f / (a * a), 1.0 / 3) * in.dKm;
    const double yScale = 0.9575 * beta * std::pow(f * f / a, 1.0 / 3);
    const double yt = yScale * in.hteM;
    const double yr = yScale * in.hreM;
    return -distanceTermDb(x) - heightGainDb(beta * yt, k) - heightGainDb(beta * yr, k);
}

}  // namespace

double firstTermLossDb(const SphericalEarthInput& in, double a) {
    return in.seaFraction * firstTermOverDb(in, a, kSea) + (1 - in.seaFraction) * firstTermOverDb(in, a, kLand);
}

double sphericalEarthLossDb(const SphericalEarthInput& in) {
    const double d = in.dKm;
    const double hte = in.hteM;
    const double hre = in.hreM;
    const double a = in.aKm;
    const double dLos = std::sqrt(2 * a) * (std::sqrt(0.001 * hte) + std::sqrt(0.001 * hre));
    if (d >= dLos) return firstTermLossDb(in, a);

    // Within the smooth-earth horizon: the path's clearance over the bulge.
    const double c = (hte - hre) / (hte + hre);
    const double m = 250 * d * d / (a * (hte + hre));
    const double b = 2 * std::sqrt((m + 1) / (3 * m)) *
                     std::cos(kPi / 3 + 1.0 / 3 * std::acos(3 * c / 2 * std::sqrt(3 * m / std::pow(m + 1, 3))));
    const double dse1 = d / 2 * (1 + b);
    const double dse2 = d - dse1;
    const double hse = ((hte - 500 * dse1 * dse1 / a) * dse2 + (hre - 500 * dse2 * dse2 / a) * dse1) / d;
    const double hreq = kFresnelHeightM * std::sqrt(dse1 * dse2 * in.lambdaM / d);
    if (hse > hreq) return 0;
    const double rootSum = std::sqrt(hte) + std::sqrt(hre);
    const double aem = 500 * (d / rootSum) * (d / rootSum);
    // A clearance loss is never a gain: only the negative first term is floored.
    const double ldft = std::max(firstTermLossDb(in, aem), 0.0);
    return (1 - hse / hreq) * ldft;
}

}  // namespace tropolink::p2001
