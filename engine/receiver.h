#pragma once

#include "engine/link_parameters.h"

namespace tropolink {

// Noise temperature of the receiver from its noise figure (dB), K.
double receiverNoiseTemp(double rxNoiseFigure);
// Power ratio of a loss in dB.
double lossRatio(double lossDb);
// System noise temperature at the antenna terminals, K, before the 0 → 1 K guard.
double systemNoiseTemp(double antennaNoiseTemp, double rxLineLossRatio, double receiverNoiseTemp);
// Thermal noise power in the bandwidth, dBW.
double noisePower(double systemNoiseTemp, double rxBandwidth);
// Noise floor referred to an isotropic antenna, dBW.
double rxSensitivity(double noisePower, double antennaGain);
// Effective isotropic radiated power, W.
double eirp(double txPower, double txLineLoss, double antennaGain);
double eirpDbw(double eirp);
// 3 dB beamwidth of a pencil beam with equal beamwidths in both planes, degrees.
double beamwidth(double antennaGain);

struct ReceiverNoise {
    double receiverNoiseTemp = 0;  // K
    double rxLineLossRatio = 0;
    double systemNoiseTemp = 0;    // K, after the 0 → 1 K guard
    double noisePower = 0;         // dBW
    double rxSensitivity = 0;      // dBW
};

// One station's receiving side. A bandwidth of 0 becomes 1 Hz in the record
// itself; a system noise temperature of 0 becomes 1 K.
ReceiverNoise computeReceiverNoise(StationParameters& station);

struct Transmitter {
    double eirp = 0;     // W
    double eirpDbw = 0;  // dBW
};

Transmitter computeTransmitter(const StationParameters& station);

}  // namespace tropolink
