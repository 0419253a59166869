#include "p2001/gases.h"

#include <cmath>

namespace tropolink::p2001 {
namespace {

constexpr double kOxygenScaleHeightM = 5000;
constexpr double kWaterScaleHeightM = 2000;
constexpr double kRainDensityHeightM = 2600;  // above it the rain adds less vapour

double waterDbPerKm(double f, double rhoSur, double hSur) {
    const double rhoSea = rhoSur * std::exp(hSur / 2000);
    const double eta = 0.955 + 0.006 * rhoSea;
    const double shape = (f - 22) / (f + 22);
    return (0.046 + 0.0019 * rhoSea +
            3.98 * eta / ((f - 22.235) * (f - 22.235) + 9.42 * eta * eta) * (1 + shape * shape)) *
           f * f * rhoSea * 1e-4;
}

// Equivalent height of the absorbing layer seen at elevation θ.
double equivalentDistanceKm(double scaleKm, double floor, double thetaElMrad) {
    const double s = std::sin(0.001 * thetaElMrad);
    return scaleKm / (0.65 * s + 0.35 * std::sqrt(s * s + floor));
}

}  // namespace

SpecificAttenuation specificAttenuation(double f, double rhoSur, double hSur) {
    SpecificAttenuation g;
    g.oxygenDbPerKm = (7.2 / (f * f + 0.34) + 0.62 / (std::pow(54 - f, 1.16) + 0.83)) * f * f * 1e-3;
    g.waterDbPerKm = waterDbPerKm(f, rhoSur, hSur);
    const double rhoRain =
        hSur <= kRainDensityHeightM ? rhoSur + 0.4 + 0.0003 * hSur : rhoSur + 5 * std::exp(-hSur / 1800);
    g.waterRainDbPerKm = waterDbPerKm(f, rhoRain, hSur);
    return g;
}

GasLoss surfacePathGasLoss(const SpecificAttenuation& g, double d, double hts, double hrs) {
    const double hRho = 0.5 * (hts + hrs);
    GasLoss r;
    r.oxygenDb = g.oxygenDbPerKm * d * std::exp(-hRho / kOxygenScaleHeightM);
    r.waterDb = g.waterDbPerKm * d * std::exp(-hRho / kWaterScaleHeightM);
    r.waterRainDb = g.waterRainDbPerKm * d * std::exp(-hRho / kWaterScaleHeightM);
    return r;
}

GasLoss segmentGasLoss(const SpecificAttenuation& g, double hSur, double thetaEl, double d) {
    const double dOxygen = equivalentDistanceKm(5, 0.00304, thetaEl);
    const double dWater = equivalentDistanceKm(2, 0.00122, thetaEl);
    const double deo = dOxygen * (1 - std::exp(-d / dOxygen)) * std::exp(-hSur / kOxygenScaleHeightM);
    const double dew = dWater * (1 - std::exp(-d / dWater)) * std::exp(-hSur / kWaterScaleHeightM);
    GasLoss r;
    r.oxygenDb = g.oxygenDbPerKm * deo;
    r.waterDb = g.waterDbPerKm * dew;
    r.waterRainDb = g.waterRainDbPerKm * dew;
    return r;
}

}  // namespace tropolink::p2001
