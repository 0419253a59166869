#include "report/availability_json.h"

#include "itur/method_domain.h"
#include "report/availability_notes.h"
#include "report/fading_report.h"

namespace tropolink {
namespace {

void writeRows(JsonWriter& json, std::string_view name, const itur::MethodAnswer& method) {
    json.key(name);
    json.beginArray();
    for (const itur::PercentFigures& row : method.rows) {
        json.beginObject();
        json.member("percent", row.percent);
        json.member("verdict", verdictText(row.verdict));
        json.member("loss", row.loss);
        json.member("fadeMargin", row.fadeMargin);
        json.member("snrAtStation1", row.snrAtStation1);
        json.member("snrAtStation2", row.snrAtStation2);
        json.endObject();
    }
    json.endArray();
}

// The notes as a JSON array of strings: plain ASCII of the program's own.
void writeNotes(JsonWriter& json, const itur::AvailabilityAnswer& answer) {
    std::string array = "[";
    for (const std::string& note : availabilityNotes(answer)) {
        if (array.size() > 1) array += ',';
        array += '"' + note + '"';
    }
    json.key("notes");
    json.raw(array + "]");
}

void writeGeometry(JsonWriter& json, const itur::AvailabilityAnswer& a, const PathGeometry* calculator) {
    const itur::ScatterGeometry& g = a.geometry;
    json.key("geometry");
    json.beginObject();
    json.member("effectiveEarthRadiusKm", g.effectiveEarthRadiusKm);
    json.member("thetaTMrad", g.thetaTMrad);
    json.member("thetaRMrad", g.thetaRMrad);
    json.member("scatterAngleMrad", g.scatterAngleMrad());
    json.member("lineOfSight", g.lineOfSight());
    json.member("commonVolumeHeightKm", a.commonVolumeHeightKm);
    if (calculator) {
        json.member("calculatorScatteringAngleDeg", calculator->scatteringAngle);
        json.member("calculatorEffectiveEarthRadiusKm", calculator->effectiveEarthRadius);
    }
    json.endObject();
}

void writeStation(JsonWriter& json, std::string_view name, const itur::StationAvailability& s) {
    json.key(name);
    json.beginObject();
    json.member("percent", s.percent);
    json.member("outageMinutesPerYear", s.outageMinutesPerYear);
    if (s.bound != itur::AvailabilityBound::None) json.member("bound", boundText(s.bound));
    json.endObject();
}

void writeAvailabilities(JsonWriter& json, std::string_view name, const itur::MethodAnswer& method) {
    json.key(name);
    json.beginObject();
    writeStation(json, "atStation1", (*method.availability)[0]);
    writeStation(json, "atStation2", (*method.availability)[1]);
    json.endObject();
}

}  // namespace

std::string_view verdictText(itur::MethodVerdict verdict) {
    switch (verdict) {
        case itur::MethodVerdict::LineOfSight:
            return "lineOfSight";
        case itur::MethodVerdict::OutOfRange:
            return "outOfRange";
        case itur::MethodVerdict::Valid:
            break;
    }
    return "valid";
}

std::string_view boundText(itur::AvailabilityBound bound) {
    switch (bound) {
        case itur::AvailabilityBound::Above:
            return "above 99.999";
        case itur::AvailabilityBound::Below:
            return "below 0.001";
        case itur::AvailabilityBound::LineOfSight:
            return "line of sight";
        case itur::AvailabilityBound::OutOfRange:
            return "out of range";
        case itur::AvailabilityBound::None:
            break;
    }
    return "";
}

void writeAvailability(JsonWriter& json, const itur::AvailabilityAnswer& answer, const PathGeometry* calculator) {
    json.beginObject();
    for (const itur::ItuMethod method : itur::kItuMethods)
        writeRows(json, itur::methodNames(method).json, itur::methodAnswer(answer, method));
    writeGeometry(json, answer, calculator);
    if (answer.p617.availability && answer.p2001.availability) {
        json.key("availability");
        json.beginObject();
        for (const itur::ItuMethod method : itur::kItuMethods)
            writeAvailabilities(json, itur::methodNames(method).json, itur::methodAnswer(answer, method));
        json.endObject();
    }
    writeFading(json, answer);
    writeNotes(json, answer);
    json.endObject();
}

void appendAvailabilityLine(std::string& out, const itur::AvailabilityAnswer& answer,
                            const PathGeometry* calculator) {
    JsonWriter json(out);
    writeAvailability(json, answer, calculator);
    out += '\n';
}

}  // namespace tropolink
