#include "cli/values_json.h"

#include <optional>
#include <string_view>

namespace tropolink::cli {
namespace {

// What a method's path-loss box shows instead of, or as, its number.
constexpr std::string_view kValid = "valid";
constexpr std::string_view kOutOfRangeVerdict = "outOfRange";
constexpr std::string_view kLineOfSightVerdict = "lineOfSight";

std::optional<double> lossIf(bool computed, double loss) {
    if (!computed) return std::nullopt;
    return loss;
}

// A scatter method as its column shows it: on a line-of-sight path the
// column reads "Line of Sight" whatever the method's own range says.
std::string_view columnVerdict(bool lineOfSight, bool inRange) {
    if (lineOfSight) return kLineOfSightVerdict;
    return inRange ? kValid : kOutOfRangeVerdict;
}

std::string_view riderVerdictName(RiderVerdict verdict) {
    switch (verdict) {
        case RiderVerdict::LineOfSight:
            return kLineOfSightVerdict;
        case RiderVerdict::OutOfRange:
            return kOutOfRangeVerdict;
        case RiderVerdict::Valid:
            break;
    }
    return kValid;
}

void writeStation(JsonWriter& json, std::string_view name, const StationGeometry& geometry,
                  const ReceiverNoise& receiver, const Transmitter& transmitter, double beamwidth) {
    json.key(name);
    json.beginObject();
    json.member("takeOffAngle", geometry.takeOffAngle);
    json.member("horizonLimited", geometry.horizonLimited);
    json.member("rxSensitivity", receiver.rxSensitivity);
    json.member("eirpDbw", transmitter.eirpDbw);
    json.member("beamwidth", beamwidth);
    json.endObject();
}

struct MethodFigures {
    std::string_view verdict;
    std::optional<double> loss;
    std::optional<double> couplingLoss;  // shown for Yeh and CCIR only
};

void writeMethod(JsonWriter& json, std::string_view name, const MethodFigures& figures,
                 const SignalToNoiseColumn& column) {
    json.key(name);
    json.beginObject();
    json.member("verdict", figures.verdict);
    json.member("loss", figures.loss);
    if (figures.couplingLoss) json.member("couplingLoss", figures.couplingLoss);
    json.key("signalToNoise");
    json.beginObject();
    json.member("atStation1", lossIf(column.hasData, column.atStation1));
    json.member("atStation2", lossIf(column.hasData, column.atStation2));
    json.endObject();
    json.endObject();
}

const SignalToNoiseColumn& columnOf(const PassValues& v, Method method) {
    return v.signalToNoise[static_cast<std::size_t>(method)];
}

}  // namespace

void writeValues(JsonWriter& json, const PassValues& v) {
    const PathGeometry& g = v.geometry;
    const bool los = g.lineOfSight;
    json.beginObject();
    json.member("scatteringAngle", g.scatteringAngle);
    json.member("lineOfSight", los);
    writeStation(json, "station1", g.station1, v.receiver1, v.transmitter1, v.beamwidth1);
    writeStation(json, "station2", g.station2, v.receiver2, v.transmitter2, v.beamwidth2);
    json.member("lineOfSightLoss", v.lineOfSightLoss);
    json.member("perfectDuctLoss", v.perfectDuctLoss);
    json.member("atmosphericAttenuation", v.atmosphericAttenuation);
    writeMethod(json, "yeh", {columnVerdict(los, true), v.yeh.loss, v.yeh.couplingLoss}, columnOf(v, Method::Yeh));
    writeMethod(json, "itt", {columnVerdict(los, v.itt.inRange), lossIf(v.itt.inRange, v.itt.loss), std::nullopt},
                columnOf(v, Method::Itt));
    writeMethod(json, "ccir", {columnVerdict(los, true), v.ccir.loss, v.ccir.couplingLoss}, columnOf(v, Method::Ccir));
    writeMethod(json, "collins",
                {columnVerdict(los, v.collins.inRange), lossIf(v.collins.inRange, v.collins.loss), std::nullopt},
                columnOf(v, Method::Collins));
    const bool riderComputed = v.rider.verdict == RiderVerdict::Valid;
    writeMethod(json, "rider", {riderVerdictName(v.rider.verdict), lossIf(riderComputed, v.rider.loss), std::nullopt},
                columnOf(v, Method::Rider));
    json.member("averageLoss", v.averageLoss);
    json.endObject();
}

}  // namespace tropolink::cli
