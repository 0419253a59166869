#include "report/profile_report.h"

#include <algorithm>

#include "link/number_text.h"
#include "link/profile_link.h"
#include "report/availability_json.h"
#include "report/box_writers.h"
#include "report/json_writer.h"

namespace tropolink {
namespace {

using profile::ProfileSettings;
using profile::StationSettings;

std::string_view aliasOf(Slider slider) { return kAliases[static_cast<std::size_t>(sliderIndex(slider))].name; }

// Right-aligned in `width` columns.
void appendColumn(std::string& out, const std::string& text, std::size_t width) {
    out.append(width > text.size() ? width - text.size() : 1, ' ');
    out += text;
}

std::string fixed(double value, int decimals) {
    std::string text;
    appendFixed(text, value, decimals);
    return text == "-0.0000" ? "0.0000" : text;
}

void appendStationRow(std::string& out, std::string_view name, const StationSettings& s) {
    out += name;
    appendColumn(out, std::to_string(s.horizonRow), 8);
    appendColumn(out, fixed(s.horizon.distanceKm, 3), 13);
    appendColumn(out, fixed(s.horizon.heightM, 1), 10);
    appendColumn(out, fixed(s.horizon.angleMrad, 4), 12);
    appendColumn(out, fixed(s.angleOnGridMrad, 4), 14);
    appendColumn(out, fixed(s.angleOnGridMrad - s.horizon.angleMrad, 4), 17);
    out += '\n';
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
    out += "horizon        row  distance-km  height-m  angle-mrad  on-grid-mrad  difference-mrad\n";
    appendStationRow(out, "station1", p.station1);
    appendStationRow(out, "station2", p.station2);
}

void appendProfileJson(std::string& out, const ProfileSettings& p, const HeadlessWindow& window,
                       const itur::AvailabilityAnswer* availability) {
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
    std::string boxes;
    appendBoxObject(boxes, window, nullptr);
    boxes.pop_back();  // its line end
    json.raw(boxes);
    if (availability) {
        json.key("availability");
        writeAvailability(json, *availability);
    }
    json.endObject();
    out += '\n';
}

}  // namespace tropolink
