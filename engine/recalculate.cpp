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

// Where the stages write their boxes; a pass that only wants the figures has
// no window and skips every write, masks included.
struct BoxOut {
    BoxTextBatch* texts = nullptr;

    void word(ResultBox box, std::string_view text) const {
        if (texts) texts->word(box, text);
    }
    void number(ResultBox box, double value, Mask mask) const {
        if (texts) texts->number(box, value, mask);
    }
    void takeOffAngle(ResultBox box, const StationGeometry& station) const {
        if (station.horizonLimited)
            word(box, kHorizonLimited);
        else
            number(box, station.takeOffAngle, kMaskAngle);
    }
    void averageLoss(const std::optional<double>& average, double lineOfSightLoss) const {
        if (!texts) return;
        if (average) {
            number(ResultBox::Text49, *average, kMaskAverage);
            return;
        }
        char* const end = writeMasked(texts->compose(), lineOfSightLoss, kMaskAverage);
        std::memcpy(end, kLineOfSightSuffix.data(), kLineOfSightSuffix.size());
        texts->composed(ResultBox::Text49, end + kLineOfSightSuffix.size());
    }
};

// The fault check after each stage; a pass that checks only at its end runs
// again checking each stage when it faulted, to name the quantity.
struct StageChecks {
    const NumericGuard& guard;
    bool eachStage = true;

    void check(std::string_view quantity) const {
        if (eachStage) guard.check(quantity);
    }
};

// The stages after the window operation, over the record of the first stage,
// which the zero replacements change.
void runStages(PassValues& v, const StageChecks& checks, const BoxOut& out) {
    using enum ResultBox;
    LinkParameters& p = v.params;

    v.atmosphericAttenuation = atmosphericAttenuation(p.frequency, p.distance);
    checks.check("atmospheric attenuation");
    out.number(Text50, v.atmosphericAttenuation, kMaskLoss);

    replaceZeroDistances(p);
    v.geometry = computePathGeometry(p);
    checks.check("path geometry");
    out.takeOffAngle(Text39, v.geometry.station1);
    out.takeOffAngle(Text40, v.geometry.station2);
    out.number(Text38, v.geometry.scatteringAngle, kMaskAngle);
    const bool lineOfSight = v.geometry.lineOfSight;

    v.lineOfSightLoss = lineOfSightLoss(p.distance, p.frequency);
    checks.check("line-of-sight loss");
    if (lineOfSight)
        out.number(Text43, v.lineOfSightLoss, kMaskLoss);
    else
        out.word(Text43, kNotLineOfSight);
    v.perfectDuctLoss = perfectDuctLoss(p.distance, p.frequency);
    checks.check("perfect duct loss");
    out.number(Text52, v.perfectDuctLoss, kMaskLoss);

    v.receiver1 = computeReceiverNoise(p.station1);
    v.receiver2 = computeReceiverNoise(p.station2);
    checks.check("receiver sensitivity");
    out.number(Text24, v.receiver1.rxSensitivity, kMaskLoss);
    out.number(Text25, v.receiver2.rxSensitivity, kMaskLoss);
    v.transmitter1 = computeTransmitter(p.station1);
    v.transmitter2 = computeTransmitter(p.station2);
    checks.check("radiated power");

    v.beamwidth1 = beamwidth(p.station1.antennaGain);
    v.beamwidth2 = beamwidth(p.station2.antennaGain);
    checks.check("beamwidth");
    out.number(Text41, v.beamwidth1, kMaskTwoDecimals);
    out.number(Text42, v.beamwidth2, kMaskTwoDecimals);

    v.yeh = computeYehMethod(p.frequency, p.surfaceRefractivity, p.station1.antennaHeight, p.station2.antennaHeight,
                             v.geometry.scatteringAngle, v.lineOfSightLoss, v.beamwidth1, v.beamwidth2);
    checks.check("Yeh loss");
    out.number(Text44, v.yeh.couplingLoss, kMaskTwoDecimals);

    v.ccir = computeCcirMethod(p, v.yeh.meanRefractivity, v.geometry);
    checks.check("CCIR loss");
    out.number(Text45, v.ccir.couplingLoss, kMaskCoupling);
    out.number(Text28, v.ccir.loss, kMaskLoss);

    v.itt = computeIttMethod(p.frequency, v.ccir.scatterAngleRad, v.lineOfSightLoss);
    checks.check("ITT loss");
    if (v.itt.inRange)
        out.number(Text27, v.itt.loss, kMaskLoss);
    else
        out.word(Text27, kOutOfRange);

    v.rider = computeRiderMethod(p.frequency, p.distance, p.surfaceRefractivity, v.geometry.scatteringAngle,
                                 v.yeh.couplingLoss);
    checks.check("Rider loss");
    if (v.rider.verdict == RiderVerdict::OutOfRange) out.word(Text46, kRiderOutOfRange);

    v.collins = computeCollinsMethod(p, v.geometry, v.beamwidth1, v.beamwidth2);
    checks.check("Collins loss");
    if (v.collins.inRange)
        out.number(Text29, v.collins.loss, kMaskLoss);
    else
        out.word(Text29, kOutOfRange);

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
    checks.check("signal-to-noise");
    if (out.texts) writeSignalToNoise(snrInputs, v.signalToNoise, *out.texts);

    v.averageLoss = computeAverageLoss(v.geometry.scatteringAngle, v.yeh.loss, v.ccir.loss, v.collins);
    checks.check("average loss");
    out.averageLoss(v.averageLoss, v.lineOfSightLoss);
}

}  // namespace

void Recalculate(FormWindow& window) { RecalculateWithValues(window); }

PassValues RecalculateWithValues(FormWindow& window) {
    PassValues v;
    BoxTextBatch texts(window);
    try {
        const NumericGuard guard;
        v.params = readLinkParameters(window, texts);
        texts.handOver();  // the echoes stand in their boxes before the window operation
        window.refresh();
        runStages(v, StageChecks{guard}, BoxOut{&texts});
    } catch (const NumericFault&) {
        texts.handOver();  // the boxes written before the failed step
        throw;
    }
    texts.handOver();
    return v;
}

PassValues computePassValues(const SliderPositions& positions, bool powerDividedBy1000) {
    return computePassValues(linkParametersFromPositions(positions, powerDividedBy1000));
}

PassValues computePassValues(const LinkParameters& params) {
    {
        const NumericGuard guard;
        PassValues v;
        v.params = params;
        runStages(v, StageChecks{guard, false}, BoxOut{});
        if (!guard.faulted()) return v;
    }
    const NumericGuard guard;
    PassValues v;
    v.params = params;
    runStages(v, StageChecks{guard}, BoxOut{});  // throws at the failing stage
    return v;
}

}  // namespace tropolink
