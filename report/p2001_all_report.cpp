#include "report/p2001_all_report.h"

#include <cmath>
#include <nlohmann/json.hpp>

#include "grammar/number_text.h"
#include "itur/method_names.h"
#include "p2001/columns.h"
#include "p2001/rows.h"

namespace tropolink {
namespace {

using nlohmann::ordered_json;

const itur::MethodNames& names() { return itur::methodNames(itur::ItuMethod::P2001All); }

const p2001::Row* firstComputed(std::span<const p2001::Row> rows) {
    for (const p2001::Row& row : rows)
        if (row.status == p2001::RowStatus::Computed) return &row;
    return nullptr;
}

void padTo(std::string& out, std::size_t lineStart, std::size_t column) {
    if (out.size() - lineStart < column) out.append(column - (out.size() - lineStart), ' ');
}

std::string stationText(const p2001::Terminal& t) {
    return fixedText(t.latDeg, 6) + ", " + fixedText(t.lonDeg, 6) + ", antenna " + fixedText(t.antennaHeightM, 1) +
           " m above the ground, gain " + fixedText(t.gainDbi, 1) + " dBi";
}

std::string pointText(const p2001::GeoPoint& at) { return fixedText(at.latDeg, 4) + ", " + fixedText(at.lonDeg, 4); }

void appendRowLine(std::string& out, const p2001::Row& row) {
    const std::size_t start = out.size();
    out += "  ";
    appendShortest(out, row.ghz * 1000);
    padTo(out, start, 12);
    appendShortest(out, row.tpc);
    padTo(out, start, 22);
    if (row.status == p2001::RowStatus::Refused) {
        out += "refused: " + row.refusal + "\n";
        return;
    }
    for (const double loss : {row.lb, row.lbm1, row.lbm2, row.lbm3, row.lbm4}) {
        const std::string text = fixedText(loss, 2);
        out.append(text.size() < 12 ? 12 - text.size() : 1, ' ');
        out += text;
    }
    out += "  ";
    out += p2001::mechanismName(p2001::decidingMechanism(row));
    out += '\n';
}

void appendPathText(std::string& out, const P2001AllPath& path, const p2001::Row& row) {
    out += "path\n  length " + fixedText(row.d, 3) + " km over " + std::to_string(row.n) + " points, " +
           (row.flagLos50 != 0 ? "line of sight" : "trans-horizon") + " at median refraction\n";
    out += "  horizon of station 1 " + fixedText(row.dlt, 3) + " km away at " + fixedText(row.thetat, 3) +
           " mrad; of station 2 " + fixedText(row.dlr, 3) + " km away at " + fixedText(row.thetar, 3) + " mrad\n";
    out += "  over sea " + fixedText(100 * row.fsea, 1) + " % of the path\n  ";
    out += path.zoneSource == ZoneSource::Column ? std::string("zones from the profile's zone column")
                                                 : derivedZonesNote(row.fsea);
    out += "\n";
}

void appendClimateText(std::string& out, const P2001AllPath& path, const p2001::Row& row) {
    out += "climate\n";
    out += "  median refractivity gradient of the lowest km " + fixedText(row.nd1km50, 3) +
           " N-units/km, troposcatter climate zone " + std::to_string(row.ztropo) + " (after the fallback)\n";
    if (path.mapValues.empty()) {
        out += "  map values " + path.mapsSource + "\n";
        return;
    }
    out += "  maps from " + path.mapsSource + "\n";
    for (const P2001MapValue& v : path.mapValues) {
        const std::size_t start = out.size();
        out += "  " + std::string(p2001::mapFileName(v.file));
        padTo(out, start, 26);
        std::string value;
        appendShortest(value, v.value);
        out += value;
        padTo(out, start, 48);
        out += "at " + std::string(mapSiteName(v.site)) + " (" + pointText(v.at) + ")\n";
    }
}

ordered_json columnsJson(const p2001::Row& row, const std::string& profile) {
    ordered_json json;
    for (const p2001::Column& c : p2001::columns()) {
        const std::string name(c.name);
        if (c.kind == p2001::ColumnKind::Text)
            json[name] = profile;
        else if (c.kind == p2001::ColumnKind::Empty)
            json[name] = nullptr;
        else if (row.status == p2001::RowStatus::Refused && c.kind == p2001::ColumnKind::Result)
            json[name] = nullptr;
        else if (c.whole != nullptr)
            json[name] = row.*c.whole;
        else
            json[name] = std::isfinite(row.*c.real) ? ordered_json(row.*c.real) : ordered_json(nullptr);
    }
    return json;
}

std::string csvField(const std::string& text) {
    if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
    std::string quoted = "\"";
    for (const char c : text) quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
    return quoted + "\"";
}

}  // namespace

void appendP2001AllText(std::string& out, const P2001AllPath& path, std::span<const p2001::Row> rows) {
    const p2001::PathInput& in = path.path.input;
    out += std::string(names().label) + ": " + path.name + "\n";
    out += "  station 1 (transmitter) " + stationText(in.tx) + "\n";
    out += "  station 2 (receiver)    " + stationText(in.rx) + "\n";
    out += std::string("  ") + (in.polarisation == p2001::Polarisation::Vertical ? "vertical" : "horizontal") +
           " polarisation\n\n";
    out += "  f MHz     p %              Lb dB     Lbm1 dB     Lbm2 dB     Lbm3 dB     Lbm4 dB  deciding mechanism\n";
    for (const p2001::Row& row : rows) appendRowLine(out, row);
    out += "  Lbm1 diffraction and clear-air propagation near the surface, Lbm2 ducting and layer reflection,\n"
           "  Lbm3 troposcatter, Lbm4 sporadic-E; p % of an average year for which Lb is not exceeded\n\n";
    if (const p2001::Row* row = firstComputed(rows)) {
        appendPathText(out, path, *row);
        appendClimateText(out, path, *row);
    }
    for (const p2001::Note note : p2001AllNotes(path.path, rows)) out += "note: " + std::string(p2001::noteText(note)) + "\n";
}

std::string p2001AllJson(const P2001AllPath& path, std::span<const p2001::Row> rows) {
    const p2001::PathInput& in = path.path.input;
    ordered_json m;
    m["method"] = names().label;
    m["profile"] = path.name;
    m["polarisation"] = in.polarisation == p2001::Polarisation::Vertical ? "vertical" : "horizontal";
    const p2001::Row* first = firstComputed(rows);
    ordered_json zones{{"source", path.zoneSource == ZoneSource::Column ? "column" : "derived"}};
    if (first) zones["seaFraction"] = first->fsea;
    if (first && path.zoneSource == ZoneSource::Derived) zones["note"] = derivedZonesNote(first->fsea);
    m["zones"] = zones;
    ordered_json climate{{"maps", path.mapsSource}};
    ordered_json values = ordered_json::array();
    for (const P2001MapValue& v : path.mapValues)
        values.push_back({{"file", p2001::mapFileName(v.file)},
                          {"where", mapSiteName(v.site)},
                          {"lat", v.at.latDeg},
                          {"lon", v.at.lonDeg},
                          {"value", v.value}});
    climate["values"] = values;
    m["climate"] = climate;
    ordered_json notes = ordered_json::array();
    for (const p2001::Note note : p2001AllNotes(path.path, rows)) notes.push_back(p2001::noteText(note));
    m["notes"] = notes;
    ordered_json rowsJson = ordered_json::array();
    for (const p2001::Row& row : rows) {
        ordered_json r;
        if (row.status == p2001::RowStatus::Refused) {
            r["refused"] = row.refusal;
        } else {
            r["decidingMechanism"] = p2001::mechanismName(p2001::decidingMechanism(row));
        }
        r["columns"] = columnsJson(row, path.name);
        rowsJson.push_back(std::move(r));
    }
    m["rows"] = std::move(rowsJson);
    ordered_json json;
    json[std::string(names().json)] = std::move(m);
    return json.dump(2) + "\n";
}

void appendP2001AllCsv(std::string& out, const P2001AllPath& path, std::span<const p2001::Row> rows) {
    bool firstColumn = true;
    for (const p2001::Column& c : p2001::columns()) {
        if (!firstColumn) out += ',';
        firstColumn = false;
        out += c.name;
    }
    out += '\n';
    const std::string profile = csvField(path.name);
    for (const p2001::Row& row : rows) {
        firstColumn = true;
        for (const p2001::Column& c : p2001::columns()) {
            if (!firstColumn) out += ',';
            firstColumn = false;
            if (c.kind == p2001::ColumnKind::Text) {
                out += profile;
            } else if (c.kind == p2001::ColumnKind::Empty ||
                       (row.status == p2001::RowStatus::Refused && c.kind == p2001::ColumnKind::Result)) {
            } else if (c.whole != nullptr) {
                out += std::to_string(row.*c.whole);
            } else if (std::isfinite(row.*c.real)) {
                appendShortest(out, row.*c.real);
            }
        }
        out += '\n';
    }
}

}  // namespace tropolink
