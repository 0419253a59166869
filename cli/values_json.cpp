#include "cli/values_json.h"

#include <string_view>

#include "cli/method_columns.h"

namespace tropolink::cli {
namespace {

// What a method's path-loss box shows instead of, or as, its number.
std::string_view verdictName(ColumnVerdict verdict) {
    switch (verdict) {
        case ColumnVerdict::LineOfSight:
            return "lineOfSight";
        case ColumnVerdict::OutOfRange:
            return "outOfRange";
        case ColumnVerdict::Valid:
            break;
    }
    return "valid";
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

void writeMethod(JsonWriter& json, std::string_view name, const MethodColumn& column) {
    json.key(name);
    json.beginObject();
    json.member("verdict", verdictName(column.verdict));
    json.member("loss", column.loss);
    if (column.couplingLoss) json.member("couplingLoss", column.couplingLoss);
    json.key("signalToNoise");
    json.beginObject();
    json.member("atStation1", column.atStation1);
    json.member("atStation2", column.atStation2);
    json.endObject();
    json.endObject();
}

}  // namespace

void writeValues(JsonWriter& json, const PassValues& v) {
    const PathGeometry& g = v.geometry;
    json.beginObject();
    json.member("scatteringAngle", g.scatteringAngle);
    json.member("lineOfSight", g.lineOfSight);
    writeStation(json, "station1", g.station1, v.receiver1, v.transmitter1, v.beamwidth1);
    writeStation(json, "station2", g.station2, v.receiver2, v.transmitter2, v.beamwidth2);
    json.member("lineOfSightLoss", v.lineOfSightLoss);
    json.member("perfectDuctLoss", v.perfectDuctLoss);
    json.member("atmosphericAttenuation", v.atmosphericAttenuation);
    const MethodColumns columns = methodColumns(v);
    for (std::size_t m = 0; m < columns.size(); ++m) writeMethod(json, kMethodKeys[m], columns[m]);
    json.member("averageLoss", v.averageLoss);
    json.endObject();
}

}  // namespace tropolink::cli
