#pragma once

namespace tropolink {

// The quartic applies between 8 and 100 milliradians, both included.
bool ittInRange(double scatterAngleRad);
// Free-space loss plus a quartic in the angle (mrad) and a correction to 900 MHz, dB.
double ittLoss(double lineOfSightLoss, double scatterAngleRad, double frequency);

struct IttResult {
    bool inRange = false;
    double loss = 0;  // dB; meaningful only when inRange
};

IttResult computeIttMethod(double frequency, double scatterAngleRad, double lineOfSightLoss);

}  // namespace tropolink
