#pragma once

namespace tropolink {

// Aperture-to-medium coupling loss, dB: grows with the signed scattering angle
// (degrees), shrinks with the two beamwidths (degrees).
double yehCouplingLoss(double scatteringAngle, double beamwidth1, double beamwidth2);
// Refractivity at the two antenna heights (km), averaged.
double meanRefractivity(double surfaceRefractivity, double antennaHeight1, double antennaHeight2);
double yehLoss(double lineOfSightLoss, double frequency, double scatteringAngle, double couplingLoss,
               double meanRefractivity);

struct YehResult {
    double couplingLoss = 0;      // dB, shown in every pass
    double meanRefractivity = 0;  // N units, the CCIR method's Ns
    double loss = 0;              // dB, shown only beyond the horizon
};

YehResult computeYehMethod(double frequency, double surfaceRefractivity, double antennaHeight1,
                           double antennaHeight2, double scatteringAngle, double lineOfSightLoss,
                           double beamwidth1, double beamwidth2);

}  // namespace tropolink
