#include "engine/yeh_method.h"

#include <cmath>

namespace tropolink {
namespace {

constexpr double kRefractivityScaleHeightPerKm = 0.1057;
constexpr double kReferenceRefractivity = 310;

}  // namespace

double yehCouplingLoss(double scatteringAngle, double beamwidth1, double beamwidth2) {
    return 2 + 2 * scatteringAngle / std::sqrt(beamwidth1 * beamwidth2);
}

double meanRefractivity(double surfaceRefractivity, double antennaHeight1, double antennaHeight2) {
    const double n1 = surfaceRefractivity * std::exp(-kRefractivityScaleHeightPerKm * antennaHeight1);
    const double n2 = surfaceRefractivity * std::exp(-kRefractivityScaleHeightPerKm * antennaHeight2);
    return (n1 + n2) / 2;
}

double yehLoss(double lineOfSightLoss, double frequency, double scatteringAngle, double couplingLoss,
               double meanRefractivity) {
    // 10·log10 f with the exact factor 10 / ln 10, unlike the free-space loss.
    const double angleAndFrequency = (21 + 10 * scatteringAngle) + 10 * std::log(frequency) / std::log(10.0);
    const double refractivityCorrection = 0.2 * (meanRefractivity - kReferenceRefractivity);
    return ((lineOfSightLoss + angleAndFrequency) + couplingLoss) - refractivityCorrection;
}

YehResult computeYehMethod(double frequency, double surfaceRefractivity, double antennaHeight1,
                           double antennaHeight2, double scatteringAngle, double lineOfSightLoss,
                           double beamwidth1, double beamwidth2) {
    YehResult r;
    r.couplingLoss = yehCouplingLoss(scatteringAngle, beamwidth1, beamwidth2);
    r.meanRefractivity = meanRefractivity(surfaceRefractivity, antennaHeight1, antennaHeight2);
    r.loss = yehLoss(lineOfSightLoss, frequency, scatteringAngle, r.couplingLoss, r.meanRefractivity);
    return r;
}

}  // namespace tropolink
