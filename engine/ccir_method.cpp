#include "engine/ccir_method.h"

#include <cmath>

#include "engine/constants.h"
#include "engine/mask.h"

namespace tropolink {
namespace {

constexpr double kEarthRadiusKm = 6370;
constexpr double kCorrectionWindowStartKm = 50;
constexpr double kCorrectionWindowEndKm = 700;

double takeOffAngleRad(const StationParameters& s, double earthRadius, double horizonAngleDeg) {
    const double angle =
        (s.obstructionHeight - s.antennaHeight) / s.obstructionDistance - s.obstructionDistance / (2 * earthRadius);
    const double horizonRad = horizonAngleDeg / kDegreesPerRadian;
    return angle <= horizonRad ? horizonRad : angle;
}

}  // namespace

double refractivityEarthRadius(double meanRefractivity) {
    return roundToSignificant15(kEarthRadiusKm / (1 - 0.04665 * std::exp(0.005577 * meanRefractivity)));
}

double scatterAngleRad(const LinkParameters& params, double earthRadius, double horizonAngle1,
                       double horizonAngle2) {
    const double t1 = takeOffAngleRad(params.station1, earthRadius, horizonAngle1);
    const double t2 = takeOffAngleRad(params.station2, earthRadius, horizonAngle2);
    return params.distance / earthRadius + (t1 + t2);
}

double ccirAttenuation(double x, double ns) {
    const double ns2 = ns * ns;
    if (x >= 0.01 && x <= 10)
        return kDbPerNeper30 * std::log(x) + (((139.5 + 0.06 * ns) - 0.00024 * ns2) + 0.34 * x);
    if (x > 10 && x <= 70)
        return (22.5 + 0.05 * ns) * kLog10OfE * std::log(x) +
               (((140.7 + 0.06 * ns) - 0.00032 * ns2) +
                ((3.925 + 0.0033 * ns) - (1.9 * kLog10OfE) * std::log(ns)) * x);
    if (x > 70) return kDbPerNeper44 * std::log(x) + ((123.6 - 0.008 * ns) + 0.158 * x);
    return 0;  // x < 0.01, zero and negative included: no term
}

double ccirCutoffDistance(double frequency, double antennaHeight1, double antennaHeight2) {
    // The exponent is the decimal 0.3333, not 1/3.
    return 65 * std::pow(100 / frequency, 0.3333) +
           (3 * std::sqrt(2 * antennaHeight1) + 3 * std::sqrt(2 * antennaHeight2));
}

double ccirEquivalentDistance(double distance, double cutoffDistance) {
    return distance > cutoffDistance ? (distance + 130) - cutoffDistance : 130 * distance / cutoffDistance;
}

double ccirDistanceCorrection(double de) {
    return ((-3.4758 + 0.0685 * de) - 0.0001885 * (de * de)) + 1.39919e-7 * std::pow(de, 3);
}

double ccirCouplingLoss(double antennaGain1, double antennaGain2) {
    return 0.07 * std::exp(0.055 * (antennaGain2 + antennaGain1));
}

double ccirLoss(double frequency, double distance, double attenuation, double couplingLoss,
                double distanceCorrection) {
    // 30·log10 f − 20·log10 d.
    const double base = kDbPerNeper30 * std::log(frequency) - kDbPerNeper20 * std::log(distance);
    return ((base + attenuation) + couplingLoss) - distanceCorrection;
}

CcirResult computeCcirMethod(const LinkParameters& params, double meanRefractivity, const PathGeometry& geometry) {
    CcirResult r;
    const double d = params.distance;
    r.earthRadius = refractivityEarthRadius(meanRefractivity);
    r.scatterAngleRad =
        scatterAngleRad(params, r.earthRadius, geometry.station1.horizonAngle, geometry.station2.horizonAngle);
    r.attenuation = ccirAttenuation(r.scatterAngleRad * d, meanRefractivity);
    r.cutoffDistance =
        ccirCutoffDistance(params.frequency, params.station1.antennaHeight, params.station2.antennaHeight);
    r.equivalentDistance = ccirEquivalentDistance(d, r.cutoffDistance);
    r.distanceCorrection = ccirDistanceCorrection(r.equivalentDistance);
    r.couplingLoss = ccirCouplingLoss(params.station1.antennaGain, params.station2.antennaGain);
    // The correction applies to paths from 50 to 700 km, both included.
    if (d < kCorrectionWindowStartKm) r.distanceCorrection = 0;
    if (d > kCorrectionWindowEndKm) r.distanceCorrection = 0;
    r.loss = ccirLoss(params.frequency, d, r.attenuation, r.couplingLoss, r.distanceCorrection);
    return r;
}

}  // namespace tropolink
