#include "engine/receiver.h"

#include <cmath>

#include "engine/constants.h"

namespace tropolink {
namespace {

constexpr double kReferenceTempK = 290;        // noise figure and lossy receive line
constexpr double kBoltzmannJPerK = 1.38e-23;
constexpr double kGainBeamwidthProduct = 27000;

double powerRatio(double db) { return std::pow(10.0, db / 10); }

}  // namespace

double receiverNoiseTemp(double rxNoiseFigure) { return kReferenceTempK * (powerRatio(rxNoiseFigure) - 1); }

double lossRatio(double lossDb) { return powerRatio(lossDb); }

// The antenna's own noise, the receive line's at 290 K, and the receiver's
// scaled up by the line loss.
double systemNoiseTemp(double antennaNoiseTemp, double rxLineLossRatio, double receiverNoiseTemp) {
    return (antennaNoiseTemp + kReferenceTempK * (rxLineLossRatio - 1)) + rxLineLossRatio * receiverNoiseTemp;
}

double noisePower(double systemNoiseTemp, double rxBandwidth) {
    return kDbPerNeper10 * std::log((kBoltzmannJPerK * systemNoiseTemp) * rxBandwidth);
}

// The station's own antenna gain is subtracted: the floor as seen by an isotropic antenna.
double rxSensitivity(double noisePower, double antennaGain) { return noisePower - antennaGain; }

double eirp(double txPower, double txLineLoss, double antennaGain) {
    return (txPower * 1 / powerRatio(txLineLoss)) * powerRatio(antennaGain);
}

double eirpDbw(double eirp) { return kDbPerNeper10 * std::log(eirp); }

double beamwidth(double antennaGain) { return std::sqrt(kGainBeamwidthProduct / powerRatio(antennaGain)); }

ReceiverNoise computeReceiverNoise(StationParameters& station) {
    ReceiverNoise n;
    n.receiverNoiseTemp = receiverNoiseTemp(station.rxNoiseFigure);
    n.rxLineLossRatio = lossRatio(station.rxLineLoss);
    n.systemNoiseTemp = systemNoiseTemp(station.antennaNoiseTemp, n.rxLineLossRatio, n.receiverNoiseTemp);
    // The only guards: no logarithm of a zero noise power.
    if (n.systemNoiseTemp == 0) n.systemNoiseTemp = 1;
    if (station.rxBandwidth == 0) station.rxBandwidth = 1;
    n.noisePower = noisePower(n.systemNoiseTemp, station.rxBandwidth);
    n.rxSensitivity = rxSensitivity(n.noisePower, station.antennaGain);
    return n;
}

Transmitter computeTransmitter(const StationParameters& station) {
    Transmitter t;
    t.eirp = eirp(station.txPower, station.txLineLoss, station.antennaGain);
    t.eirpDbw = eirpDbw(t.eirp);
    return t;
}

}  // namespace tropolink
