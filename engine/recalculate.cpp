#include "engine/recalculate.h"

#include <string>

#include "engine/atmospheric_attenuation.h"
#include "engine/average_loss.h"
#include "engine/free_space_loss.h"
#include "engine/mask.h"
#include "engine/numeric_fault.h"
#include "engine/status_words.h"

namespace tropolink {
namespace {

void writeNumber(FormWindow& window, ResultBox box, double value, Mask mask) {
    window.setBoxText(box, applyMask(value, mask));
}

void writeTakeOffAngle(FormWindow& window, ResultBox box, const StationGeometry& station) {
    if (station.horizonLimited)
        window.setBoxText(box, kHorizonLimited);
    else
        writeNumber(window, box, station.takeOffAngle, kMaskAngle);
}

void writeAverageLoss(FormWindow& window, const std::optional<double>& average, double lineOfSightLoss) {
    if (average) {
        writeNumber(window, ResultBox::Text49, *average, kMaskAverage);
        return;
    }
    std::string text(applyMask(lineOfSightLoss, kMaskAverage).view());
    text += kLineOfSightSuffix;
    window.setBoxText(ResultBox::Text49, text);
}

}  // namespace

void Recalculate(FormWindow& window) { recalculateWithValues(window); }

PassValues recalculateWithValues(FormWindow& window) {
    using enum ResultBox;
    const NumericGuard guard;
    PassValues v;
    LinkParameters& p = v.params;

    p = readLinkParameters(window);
    window.refresh();

    v.atmosphericAttenuation = atmosphericAttenuation(p.frequency, p.distance);
    guard.check("atmospheric attenuation");
    writeNumber(window, Text50, v.atmosphericAttenuation, kMaskLoss);

    replaceZeroDistances(p);
    v.geometry = computePathGeometry(p);
    guard.check("path geometry");
    writeTakeOffAngle(window, Text39, v.geometry.station1);
    writeTakeOffAngle(window, Text40, v.geometry.station2);
    writeNumber(window, Text38, v.geometry.scatteringAngle, kMaskAngle);
    const bool lineOfSight = v.geometry.lineOfSight;

    v.lineOfSightLoss = lineOfSightLoss(p.distance, p.frequency);
    guard.check("line-of-sight loss");
    if (lineOfSight)
        writeNumber(window, Text43, v.lineOfSightLoss, kMaskLoss);
    else
        window.setBoxText(Text43, kNotLineOfSight);
    v.perfectDuctLoss = perfectDuctLoss(p.distance, p.frequency);
    guard.check("perfect duct loss");
    writeNumber(window, Text52, v.perfectDuctLoss, kMaskLoss);

    v.receiver1 = computeReceiverNoise(p.station1);
    v.receiver2 = computeReceiverNoise(p.station2);
    guard.check("receiver sensitivity");
    writeNumber(window, Text24, v.receiver1.rxSensitivity, kMaskLoss);
    writeNumber(window, Text25, v.receiver2.rxSensitivity, kMaskLoss);
    v.transmitter1 = computeTransmitter(p.station1);
    v.transmitter2 = computeTransmitter(p.station2);
    guard.check("radiated power");

    v.beamwidth1 = beamwidth(p.station1.antennaGain);
    v.beamwidth2 = beamwidth(p.station2.antennaGain);
    guard.check("beamwidth");
    writeNumber(window, Text41, v.beamwidth1, kMaskTwoDecimals);
    writeNumber(window, Text42, v.beamwidth2, kMaskTwoDecimals);

    v.yeh = computeYehMethod(p.frequency, p.surfaceRefractivity, p.station1.antennaHeight, p.station2.antennaHeight,
                             v.geometry.scatteringAngle, v.lineOfSightLoss, v.beamwidth1, v.beamwidth2);
    guard.check("Yeh loss");
    writeNumber(window, Text44, v.yeh.couplingLoss, kMaskTwoDecimals);

    v.ccir = computeCcirMethod(p, v.yeh.meanRefractivity, v.geometry);
    guard.check("CCIR loss");
    writeNumber(window, Text45, v.ccir.couplingLoss, kMaskCoupling);
    writeNumber(window, Text28, v.ccir.loss, kMaskLoss);

    v.itt = computeIttMethod(p.frequency, v.ccir.scatterAngleRad, v.lineOfSightLoss);
    guard.check("ITT loss");
    if (v.itt.inRange)
        writeNumber(window, Text27, v.itt.loss, kMaskLoss);
    else
        window.setBoxText(Text27, kOutOfRange);

    v.rider = computeRiderMethod(p.frequency, p.distance, p.surfaceRefractivity, v.geometry.scatteringAngle,
                                 v.yeh.couplingLoss);
    guard.check("Rider loss");
    if (v.rider.verdict == RiderVerdict::OutOfRange) window.setBoxText(Text46, kRiderOutOfRange);

    v.collins = computeCollinsMethod(p, v.geometry, v.beamwidth1, v.beamwidth2);
    guard.check("Collins loss");
    if (v.collins.inRange)
        writeNumber(window, Text29, v.collins.loss, kMaskLoss);
    else
        window.setBoxText(Text29, kOutOfRange);

    const SignalToNoiseInputs snrInputs{v.transmitter1.eirpDbw,  v.transmitter2.eirpDbw, v.receiver1.rxSensitivity,
                                        v.receiver2.rxSensitivity, lineOfSight,          v.lineOfSightLoss,
                                        v.yeh.loss,                v.itt,                v.ccir.loss,
                                        v.collins,                 v.rider};
    v.signalToNoise = signalToNoiseGrid(snrInputs);
    guard.check("signal-to-noise");
    writeSignalToNoise(snrInputs, v.signalToNoise, window);

    v.averageLoss = computeAverageLoss(v.geometry.scatteringAngle, v.yeh.loss, v.ccir.loss, v.collins);
    guard.check("average loss");
    writeAverageLoss(window, v.averageLoss, v.lineOfSightLoss);
    return v;
}

}  // namespace tropolink
