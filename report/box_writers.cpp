#include "report/box_writers.h"

#include <array>

#include "link/box_labels.h"
#include "report/json_writer.h"
#include "report/values_json.h"

namespace tropolink {
namespace {

// What stands before each box text in the JSON object: `{"Text1":"`, then
// `","Text2":"` and so on, each closing the text before it. Built once, so a
// line costs two appends per box.
const std::array<std::string, kResultBoxCount>& memberOpenings() {
    static const auto openings = [] {
        std::array<std::string, kResultBoxCount> texts;
        for (int n = 1; n <= kResultBoxCount; ++n)
            texts[static_cast<std::size_t>(n - 1)] =
                (n == 1 ? "{\"" : "\",\"") + std::string(boxName(boxFromNumber(n))) + "\":\"";
        return texts;
    }();
    return openings;
}

}  // namespace

BoxTexts boxTextsOf(const HeadlessWindow& window) {
    BoxTexts boxes;
    for (int n = 1; n <= kResultBoxCount; ++n) boxes.texts[static_cast<std::size_t>(n - 1)] = window.boxView(boxFromNumber(n));
    boxes.powerDividedBy1000 = window.powerDividedBy1000();
    return boxes;
}

BoxTexts boxTextsOf(const std::array<std::string, kResultBoxCount>& texts, bool powerDividedBy1000) {
    BoxTexts boxes;
    for (std::size_t i = 0; i < texts.size(); ++i) boxes.texts[i] = texts[i];
    boxes.powerDividedBy1000 = powerDividedBy1000;
    return boxes;
}

void appendBoxLines(std::string& out, const BoxTexts& boxes) {
    for (int n = 1; n <= kResultBoxCount; ++n) {
        const ResultBox box = boxFromNumber(n);
        out += boxName(box);
        out += '\t';
        out += boxes.texts[static_cast<std::size_t>(n - 1)];
        out += '\t';
        out += labelWithUnit(box, boxes.powerDividedBy1000);
        out += '\n';
    }
}

// Box texts are printable ASCII without quotes or backslashes, so they go in
// as they are.
void appendBoxObject(std::string& out, const BoxTexts& boxes, const PassValues* values) {
    appendBoxObjectValue(out, boxes, values);
    out += '\n';
}

void appendBoxObjectValue(std::string& out, const BoxTexts& boxes, const PassValues* values) {
    const auto& openings = memberOpenings();
    for (std::size_t i = 0; i < boxes.texts.size(); ++i) {
        out += openings[i];
        out += boxes.texts[i];
    }
    out += '"';
    if (values) {
        out += ",\"values\":";
        JsonWriter json(out);
        writeValues(json, *values);
    }
    out += '}';
}

}  // namespace tropolink
