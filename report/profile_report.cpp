#include "report/profile_report.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <span>

#include "grammar/number_text.h"
#include "link/profile_link.h"
#include "report/availability_json.h"
#include "report/box_writers.h"
#include "report/json_writer.h"

namespace tropolink {
namespace {

using profile::ProfileSettings;
using profile::StationSettings;

std::string_view aliasOf(Slider slider) { return kAliases[static_cast<std::size_t>(sliderIndex(slider))].name; }

// Fixed to `decimals`, or in scientific notation from a million on, where
// fixed figures would run on without meaning more.
std::string cell(double value, int decimals) {
    if (std::abs(value) >= 1e6) {
        char text[32];
        std::snprintf(text, sizeof text, "%.*e", decimals, value);
        return text;
    }
    std::string text;
    appendFixed(text, value, decimals);
    return text == "-0.0000" ? "0.0000" : text;
}

using Row = std::array<std::string, 7>;

Row stationRow(std::string_view name, const StationSettings& s) {
    return {std::string(name),
            std::to_string(s.horizonRow),
            cell(s.horizon.distanceKm, 3),
            cell(s.horizon.heightM, 1),
            cell(s.horizon.angleMrad, 4),
            cell(s.angleOnGridMrad, 4),
            cell(s.angleOnGridMrad - s.horizon.angleMrad, 4)};
}

// The names left-aligned, the figures right-aligned under their headings,
// every column as wide as its widest entry and two blanks apart.
void appendAligned(std::string& out, std::span<const Row> rows) {
    std::array<std::size_t, 7> widths{};
    for (const Row& row : rows)
        for (std::size_t c = 0; c < row.size(); ++c) widths[c] = std::max(widths[c], row[c].size());
    for (const Row& row : rows) {
        out += row[0];
        out.append(widths[0] - row[0].size(), ' ');
        for (std::size_t c = 1; c < row.size(); ++c) {
            out.append(2 + widths[c] - row[c].size(), ' ');
            out += row[c];
        }
        out += '\n';
    }
}

void writeStation(JsonWriter& json, std::string_view name, const StationSettings& s) {
    json.key(name);
    json.beginObject();
    json.member("row", static_cast<double>(s.horizonRow));
    json.member("distanceKm", s.horizon.distanceKm);
    json.member("heightM", s.horizon.heightM);
    json.member("angleMrad", s.horizon.angleMrad);
    json.member("angleMradOnGrid", s.angleOnGridMrad);
    json.member("differenceMrad", s.angleOnGridMrad - s.horizon.angleMrad);
    json.endObject();
}

}  // namespace

void appendHorizonTable(std::string& out, const ProfileSettings& p) {
    // Each station's horizon distance is from that station, not along the path from station 1.
    const std::array<Row, 3> rows{
        Row{"horizon", "row", "km-from-own-station", "height-m", "angle-mrad", "on-grid-mrad", "difference-mrad"},
        stationRow("station1", p.station1), stationRow("station2", p.station2)};
    appendAligned(out, rows);
}

void appendProfileJson(std::string& out, const ProfileSettings& p, const BoxTexts& boxTexts,
                       const itur::AvailabilityAnswer* availability, const ProfileJsonExtras& extras) {
    JsonWriter json(out);
    json.beginObject();
    json.key("settings");
    json.beginObject();
    for (const Slider slider : kProfileSliders)
        json.member(aliasOf(slider), static_cast<double>(*profile::sliderPosition(p, slider)));
    json.endObject();
    json.key("horizon");
    json.beginObject();
    writeStation(json, "station1", p.station1);
    writeStation(json, "station2", p.station2);
    json.endObject();
    json.key("boxes");
    std::string boxes = "null";
    if (!extras.boxesLeftOut) {
        boxes.clear();
        appendBoxObjectValue(boxes, boxTexts, nullptr);
    }
    json.raw(boxes);
    if (!extras.path.empty()) {
        json.key("path");
        json.raw(extras.path);
    }
    if (!extras.climate.empty()) {
        json.key("climate");
        json.raw(extras.climate);
    }
    if (availability) {
        json.key("availability");
        writeAvailability(json, *availability);
    }
    json.endObject();
    out += '\n';
}

}  // namespace tropolink
