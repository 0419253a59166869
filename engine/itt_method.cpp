#include "engine/itt_method.h"

#include <cmath>

#include "engine/constants.h"

namespace tropolink {
namespace {

constexpr double kLowestMilliradians = 8;
constexpr double kHighestMilliradians = 100;
constexpr double kReferenceFrequencyMHz = 900;

double milliradians(double radians) { return 1000 * radians; }

}  // namespace

bool ittInRange(double scatterAngleRad) {
    const double mrad = milliradians(scatterAngleRad);
    return mrad >= kLowestMilliradians && mrad <= kHighestMilliradians;
}

double ittLoss(double lineOfSightLoss, double scatterAngleRad, double frequency) {
    const double m = milliradians(scatterAngleRad);
    const double angleTerm = (((26.6472 + 2.17069 * m) - 0.037166 * (m * m)) + 0.0003627 * std::pow(m, 3)) -
                             1.2496e-6 * std::pow(m, 4);
    const double frequencyTerm = kDbPerNeper10 * std::log(frequency / kReferenceFrequencyMHz);
    return (lineOfSightLoss + angleTerm) + frequencyTerm;
}

IttResult computeIttMethod(double frequency, double scatterAngleRad, double lineOfSightLoss) {
    IttResult r;
    r.inRange = ittInRange(scatterAngleRad);
    if (r.inRange) r.loss = ittLoss(lineOfSightLoss, scatterAngleRad, frequency);
    return r;
}

}  // namespace tropolink
