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

void appendBoxLines(std::string& out, const HeadlessWindow& window) {
    for (int n = 1; n <= kResultBoxCount; ++n) {
        const ResultBox box = boxFromNumber(n);
        out += boxName(box);
        out += '\t';
        out += window.boxView(box);
        out += '\t';
        out += labelWithUnit(box, window.powerDividedBy1000());
        out += '\n';
    }
}

// Box texts are printable ASCII without quotes or backslashes, so they go in
// as they are.
void appendBoxObject(std::string& out, const HeadlessWindow& window, const PassValues* values) {
    appendBoxObjectValue(out, window, values);
    out += '\n';
}

void appendBoxObjectValue(std::string& out, const HeadlessWindow& window, const PassValues* values) {
    const auto& openings = memberOpenings();
    for (int n = 1; n <= kResultBoxCount; ++n) {
        out += openings[static_cast<std::size_t>(n - 1)];
        out += window.boxView(boxFromNumber(n));
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
