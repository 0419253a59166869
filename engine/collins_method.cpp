#include "engine/collins_method.h"

#include <cmath>

#include "engine/constants.h"

namespace tropolink {
namespace {

constexpr double kEarthRadiusKm = 6371;
constexpr double kEarthDiameterKm = 12742;
constexpr double kMilesPerKm = 0.6214;  // this method's own factor
constexpr double kShortestMiles = 100;
constexpr double kLongestKm = 1000;
constexpr double kLargestTakeOffSumDeg = 4;

double takeOffAngleRad(const StationParameters& s, double horizonDistance) {
    const double angle = (s.obstructionHeight - s.antennaHeight) / s.obstructionDistance -
                         s.obstructionDistance / kEarthDiameterKm;
    const double horizon = -(horizonDistance / kEarthRadiusKm);
    return angle < horizon ? horizon : angle;  // strict: equality keeps the angle
}

}  // namespace

double collinsTakeOffSum(const LinkParameters& params, double horizonDistance1, double horizonDistance2) {
    const double t1 = takeOffAngleRad(params.station1, horizonDistance1);
    const double t2 = takeOffAngleRad(params.station2, horizonDistance2);
    return (t1 + t2) * kDegreesPerRadian;
}

bool collinsInRange(double distance, double takeOffSum) {
    return kMilesPerKm * distance > kShortestMiles && takeOffSum <= kLargestTakeOffSumDeg && distance < kLongestKm;
}

double collinsCouplingLoss(double scatteringAngle, double beamwidth1, double beamwidth2) {
    const double angle = std::fabs(scatteringAngle);
    return angle * 7 * std::exp(-0.84 * beamwidth1) + angle * 7 * std::exp(-0.84 * beamwidth2);
}

double collinsLoss(double distance, double frequency, double takeOffSum, double couplingLoss) {
    const double miles = kMilesPerKm * distance;
    const double distanceTerm = (169.97 + 0.257 * miles) - 0.000159 * (miles * miles);
    const double frequencyTerm = kDbPerNeper30 * std::log(frequency / 1000);  // 30·log10 of GHz
    // Take-off term: linear between the 0.5° and 4° curves; below 0.5° simply
    // 10 × θs (the two rules do not meet at 0.5°).
    const double at05 = 9.905 - 0.01143 * miles;
    const double at4 = 46.1714 - 0.04743 * miles;
    double takeOffTerm = at05 + ((at4 - at05) / 3.5) * (takeOffSum - 0.5);
    if (takeOffSum < 0.5) takeOffTerm = 10 * takeOffSum;
    return ((distanceTerm + frequencyTerm) + takeOffTerm) + couplingLoss;
}

CollinsResult computeCollinsMethod(const LinkParameters& params, const PathGeometry& geometry, double beamwidth1,
                                   double beamwidth2) {
    CollinsResult r;
    r.takeOffSum =
        collinsTakeOffSum(params, geometry.station1.horizonDistance, geometry.station2.horizonDistance);
    r.inRange = collinsInRange(params.distance, r.takeOffSum);
    if (!r.inRange) return r;
    r.couplingLoss = collinsCouplingLoss(geometry.scatteringAngle, beamwidth1, beamwidth2);
    r.loss = collinsLoss(params.distance, params.frequency, r.takeOffSum, r.couplingLoss);
    return r;
}

}  // namespace tropolink
