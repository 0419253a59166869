#pragma once

namespace tropolink {

// Free-space loss of the path, dB (distance km, frequency MHz).
double lineOfSightLoss(double distance, double frequency);
// Loss in a perfect duct, where the wave spreads over a cylinder, dB.
double perfectDuctLoss(double distance, double frequency);

}  // namespace tropolink
