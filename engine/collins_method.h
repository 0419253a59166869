#pragma once

#include "engine/link_parameters.h"
#include "engine/path_geometry.h"

namespace tropolink {

// Sum of the two take-off angles on the true earth, each raised to its horizon, degrees.
double collinsTakeOffSum(const LinkParameters& params, double horizonDistance1, double horizonDistance2);
// More than 100 statute miles, less than 1000 km, take-off sum at most 4°.
bool collinsInRange(double distance, double takeOffSum);
// Matters only for beams of a few degrees or less, dB.
double collinsCouplingLoss(double scatteringAngle, double beamwidth1, double beamwidth2);
double collinsLoss(double distance, double frequency, double takeOffSum, double couplingLoss);

struct CollinsResult {
    double takeOffSum = 0;  // degrees
    bool inRange = false;
    double couplingLoss = 0;  // dB; meaningful only when inRange
    double loss = 0;          // dB; meaningful only when inRange
};

CollinsResult computeCollinsMethod(const LinkParameters& params, const PathGeometry& geometry, double beamwidth1,
                                   double beamwidth2);

}  // namespace tropolink
