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

// Where the stages write their boxes; a pass that only wants the figures has
// no window and skips every write, masks included.
struct BoxWriter {
    FormWindow* window = nullptr;

    void text(ResultBox box, std::string_view text) const {
        if (window) window->setBoxText(box, text);
    }
    void number(ResultBox box, double value, Mask mask) const {
        if (window) window->setBoxText(box, applyMask(value, mask));
    }
    void takeOffAngle(ResultBox box, const StationGeometry& station) const {
        if (station.horizonLimited)
            text(box, kHorizonLimited);
        else
            number(box, station.takeOffAngle, kMaskAngle);
    }
    void averageLoss(const std::optional<double>& average, double lineOfSightLoss) const {
        if (!window) return;
        if (average) {
            number(ResultBox::Text49, *average, kMaskAverage);
            return;
        }
        std::string shown(applyMask(lineOfSightLoss, kMaskAverage).view());
        shown += kLineOfSightSuffix;
        text(ResultBox::Text49, shown);
    }
};

// Stages 3 to 14 over the record of stage 1, which the zero replacements change.
PassValues runStages(const LinkParameters& params, const NumericGuard& guard, const BoxWriter& out) {
    using enum ResultBox;
    PassValues v;
    LinkParameters& p = v.params;
    p = params;

    v.atmosphericAttenuation = atmosphericAttenuation(p.frequency, p.distance);
    guard.check("atmospheric attenuation");
    out.number(Text50, v.atmosphericAttenuation, kMaskLoss);

    replaceZeroDistances(p);
    v.geometry = computePathGeometry(p);
    guard.check("path geometry");
    out.takeOffAngle(Text39, v.geometry.station1);
    out.takeOffAngle(Text40, v.geometry.station2);
    out.number(Text38, v.geometry.scatteringAngle, kMaskAngle);
    const bool lineOfSight = v.geometry.lineOfSight;

    v.lineOfSightLoss = lineOfSightLoss(p.distance, p.frequency);
    guard.check("line-of-sight loss");
    if (lineOfSight)
        out.number(Text43, v.lineOfSightLoss, kMaskLoss);
    else
        out.text(Text43, kNotLineOfSight);
    v.perfectDuctLoss = perfectDuctLoss(p.distance, p.frequency);
    guard.check("perfect duct loss");
    out.number(Text52, v.perfectDuctLoss, kMaskLoss);

    v.receiver1 = computeReceiverNoise(p.station1);
    v.receiver2 = computeReceiverNoise(p.station2);
    guard.check("receiver sensitivity");
    out.number(Text24, v.receiver1.rxSensitivity, kMaskLoss);
    out.number(Text25, v.receiver2.rxSensitivity, kMaskLoss);
    v.transmitter1 = computeTransmitter(p.station1);
    v.transmitter2 = computeTransmitter(p.station2);
    guard.check("radiated power");

    v.beamwidth1 = beamwidth(p.station1.antennaGain);
    v.beamwidth2 = beamwidth(p.station2.antennaGain);
    guard.check("beamwidth");
    out.number(Text41, v.beamwidth1, kMaskTwoDecimals);
    out.number(Text42, v.beamwidth2, kMaskTwoDecimals);

    v.yeh = computeYehMethod(p.frequency, p.surfaceRefractivity, p.station1.antennaHeight, p.station2.antennaHeight,
                             v.geometry.scatteringAngle, v.lineOfSightLoss, v.beamwidth1, v.beamwidth2);
    guard.check("Yeh loss");
    out.number(Text44, v.yeh.couplingLoss, kMaskTwoDecimals);

    v.ccir = computeCcirMethod(p, v.yeh.meanRefractivity, v.geometry);
    guard.check("CCIR loss");
    out.number(Text45, v.ccir.couplingLoss, kMaskCoupling);
    out.number(Text28, v.ccir.loss, kMaskLoss);

    v.itt = computeIttMethod(p.frequency, v.ccir.scatterAngleRad, v.lineOfSightLoss);
    guard.check("ITT loss");
    if (v.itt.inRange)
        out.number(Text27, v.itt.loss, kMaskLoss);
    else
        out.text(Text27, kOutOfRange);

    v.rider = computeRiderMethod(p.frequency, p.distance, p.surfaceRefractivity, v.geometry.scatteringAngle,
                                 v.yeh.couplingLoss);
    guard.check("Rider loss");
    if (v.rider.verdict == RiderVerdict::OutOfRange) out.text(Text46, kRiderOutOfRange);

    v.collins = computeCollinsMethod(p, v.geometry, v.beamwidth1, v.beamwidth2);
    guard.check("Collins loss");
    if (v.collins.inRange)
        out.number(Text29, v.collins.loss, kMaskLoss);
    else
        out.text(Text29, kOutOfRange);

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
    if (out.window) writeSignalToNoise(snrInputs, v.signalToNoise, *out.window);

    v.averageLoss = computeAverageLoss(v.geometry.scatteringAngle, v.yeh.loss, v.ccir.loss, v.collins);
    guard.check("average loss");
    out.averageLoss(v.averageLoss, v.lineOfSightLoss);
    return v;
}

}  // namespace

void Recalculate(FormWindow& window) { recalculateWithValues(window); }

PassValues recalculateWithValues(FormWindow& window) {
    const NumericGuard guard;
    const LinkParameters params = readLinkParameters(window);
    window.refresh();
    return runStages(params, guard, BoxWriter{&window});
}

PassValues computePassValues(const SliderPositions& positions, bool powerDividedBy1000) {
    const NumericGuard guard;
    return runStages(linkParametersFromPositions(positions, powerDividedBy1000), guard, BoxWriter{});
}

}  // namespace tropolink
