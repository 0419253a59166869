#include "engine/recalculate.h"

#include <cstring>

#include "engine/atmospheric_attenuation.h"
#include "engine/average_loss.h"
#include "engine/box_text_batch.h"
#include "engine/free_space_loss.h"
#include "engine/mask.h"
#include "engine/numeric_fault.h"
#include "engine/status_words.h"

namespace tropolink {
namespace {

void writeTakeOffAngle(BoxTextBatch& texts, ResultBox box, const StationGeometry& station) {
    if (station.horizonLimited)
        texts.word(box, kHorizonLimited);
    else
        texts.number(box, station.takeOffAngle, kMaskAngle);
}

void writeAverageLoss(BoxTextBatch& texts, const std::optional<double>& average, double lineOfSightLoss) {
    if (average) {
        texts.number(ResultBox::Text49, *average, kMaskAverage);
        return;
    }
    char* const end = writeMasked(texts.compose(), lineOfSightLoss, kMaskAverage);
    std::memcpy(end, kLineOfSightSuffix.data(), kLineOfSightSuffix.size());
    texts.composed(ResultBox::Text49, end + kLineOfSightSuffix.size());
}

// The stages from the window operation on, writing into `texts`.
void computeResults(FormWindow& window, BoxTextBatch& texts, PassValues& v);

}  // namespace

void Recalculate(FormWindow& window) { recalculateWithValues(window); }

PassValues recalculateWithValues(FormWindow& window) {
    PassValues v;
    BoxTextBatch texts(window);
    try {
        computeResults(window, texts, v);
    } catch (const NumericFault&) {
        texts.handOver();  // the boxes written before the failed step
        throw;
    }
    texts.handOver();
    return v;
}

namespace {

void computeResults(FormWindow& window, BoxTextBatch& texts, PassValues& v) {
    using enum ResultBox;
    const NumericGuard guard;
    LinkParameters& p = v.params;

    p = readLinkParameters(window, texts);
    texts.handOver();  // the echoes stand in their boxes before the window operation
    window.refresh();

    v.atmosphericAttenuation = atmosphericAttenuation(p.frequency, p.distance);
    guard.check("atmospheric attenuation");
    texts.number(Text50, v.atmosphericAttenuation, kMaskLoss);

    replaceZeroDistances(p);
    v.geometry = computePathGeometry(p);
    guard.check("path geometry");
    writeTakeOffAngle(texts, Text39, v.geometry.station1);
    writeTakeOffAngle(texts, Text40, v.geometry.station2);
    texts.number(Text38, v.geometry.scatteringAngle, kMaskAngle);
    const bool lineOfSight = v.geometry.lineOfSight;

    v.lineOfSightLoss = lineOfSightLoss(p.distance, p.frequency);
    guard.check("line-of-sight loss");
    if (lineOfSight)
        texts.number(Text43, v.lineOfSightLoss, kMaskLoss);
    else
        texts.word(Text43, kNotLineOfSight);
    v.perfectDuctLoss = perfectDuctLoss(p.distance, p.frequency);
    guard.check("perfect duct loss");
    texts.number(Text52, v.perfectDuctLoss, kMaskLoss);

    v.receiver1 = computeReceiverNoise(p.station1);
    v.receiver2 = computeReceiverNoise(p.station2);
    guard.check("receiver sensitivity");
    texts.number(Text24, v.receiver1.rxSensitivity, kMaskLoss);
    texts.number(Text25, v.receiver2.rxSensitivity, kMaskLoss);
    v.transmitter1 = computeTransmitter(p.station1);
    v.transmitter2 = computeTransmitter(p.station2);
    guard.check("radiated power");

    v.beamwidth1 = beamwidth(p.station1.antennaGain);
    v.beamwidth2 = beamwidth(p.station2.antennaGain);
    guard.check("beamwidth");
    texts.number(Text41, v.beamwidth1, kMaskTwoDecimals);
    texts.number(Text42, v.beamwidth2, kMaskTwoDecimals);

    v.yeh = computeYehMethod(p.frequency, p.surfaceRefractivity, p.station1.antennaHeight, p.station2.antennaHeight,
                             v.geometry.scatteringAngle, v.lineOfSightLoss, v.beamwidth1, v.beamwidth2);
    guard.check("Yeh loss");
    texts.number(Text44, v.yeh.couplingLoss, kMaskTwoDecimals);

    v.ccir = computeCcirMethod(p, v.yeh.meanRefractivity, v.geometry);
    guard.check("CCIR loss");
    texts.number(Text45, v.ccir.couplingLoss, kMaskCoupling);
    texts.number(Text28, v.ccir.loss, kMaskLoss);

    v.itt = computeIttMethod(p.frequency, v.ccir.scatterAngleRad, v.lineOfSightLoss);
    guard.check("ITT loss");
    if (v.itt.inRange)
        texts.number(Text27, v.itt.loss, kMaskLoss);
    else
        texts.word(Text27, kOutOfRange);

    v.rider = computeRiderMethod(p.frequency, p.distance, p.surfaceRefractivity, v.geometry.scatteringAngle,
                                 v.yeh.couplingLoss);
    guard.check("Rider loss");
    if (v.rider.verdict == RiderVerdict::OutOfRange) texts.word(Text46, kRiderOutOfRange);

    v.collins = computeCollinsMethod(p, v.geometry, v.beamwidth1, v.beamwidth2);
    guard.check("Collins loss");
    if (v.collins.inRange)
        texts.number(Text29, v.collins.loss, kMaskLoss);
    else
        texts.word(Text29, kOutOfRange);

    const SignalToNoiseInputs snrInputs{v.transmitter1.eirpDbw,
                                        v.transmitter2.eirpDbw,
                                        v.receiver1.rxSensitivity,
                                        v.receiver2.rxSensitivity,
                                        lineOfSight,
                                        v.lineOfSightLoss,
                                        v.yeh.loss,
                                        v.itt,
                                        v.ccir.loss,
                                        v.collins,
                                        v.rider};
    v.signalToNoise = signalToNoiseGrid(snrInputs);
    guard.check("signal-to-noise");
    writeSignalToNoise(snrInputs, v.signalToNoise, texts);

    v.averageLoss = computeAverageLoss(v.geometry.scatteringAngle, v.yeh.loss, v.ccir.loss, v.collins);
    guard.check("average loss");
    writeAverageLoss(texts, v.averageLoss, v.lineOfSightLoss);
}

}  // namespace

}  // namespace tropolink
