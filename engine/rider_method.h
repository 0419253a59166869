#pragma once

namespace tropolink {

// The Rider method's own reading of the scattering angle: it needs more than 0.1°.
enum class RiderVerdict { LineOfSight, OutOfRange, Valid };

RiderVerdict riderVerdict(double scatteringAngle);
// Closed form in f (MHz), d (km), θ (degrees) and N, plus the Yeh coupling loss, dB.
double riderLoss(double frequency, double distance, double scatteringAngle, double surfaceRefractivity,
                 double yehCouplingLoss);

struct RiderResult {
    RiderVerdict verdict = RiderVerdict::OutOfRange;
    double loss = 0;  // dB; meaningful only when Valid
};

RiderResult computeRiderMethod(double frequency, double distance, double surfaceRefractivity,
                               double scatteringAngle, double yehCouplingLoss);

}  // namespace tropolink
