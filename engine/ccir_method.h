#pragma once

#include "engine/link_parameters.h"
#include "engine/path_geometry.h"

namespace tropolink {

// Earth radius derived from the mean refractivity, km, carried at 15 significant digits.
double refractivityEarthRadius(double meanRefractivity);
// Scattering angle on that earth, radians, signed; horizonAngle1/2 in degrees.
double scatterAngleRad(const LinkParameters& params, double earthRadius, double horizonAngle1,
                       double horizonAngle2);
// Attenuation term, dB, from one of three fits in x = θr × d (radian·km); 0 below x = 0.01.
double ccirAttenuation(double x, double meanRefractivity);
// Distance from which the equivalent distance grows one for one with d, km.
double ccirCutoffDistance(double frequency, double antennaHeight1, double antennaHeight2);
double ccirEquivalentDistance(double distance, double cutoffDistance);
// Cubic correction in the equivalent distance, dB.
double ccirDistanceCorrection(double equivalentDistance);
// Grows with the sum of the antenna gains (dBi), dB.
double ccirCouplingLoss(double antennaGain1, double antennaGain2);
double ccirLoss(double frequency, double distance, double attenuation, double couplingLoss,
                double distanceCorrection);

struct CcirResult {
    double earthRadius = 0;          // km
    double scatterAngleRad = 0;      // radians
    double attenuation = 0;          // dB
    double cutoffDistance = 0;       // km
    double equivalentDistance = 0;   // km
    double distanceCorrection = 0;   // dB, 0 outside 50..700 km
    double couplingLoss = 0;         // dB
    double loss = 0;                 // dB
};

CcirResult computeCcirMethod(const LinkParameters& params, double meanRefractivity, const PathGeometry& geometry);

}  // namespace tropolink
