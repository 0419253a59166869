#include "report/availability_table.h"

#include <array>

#include "link/number_text.h"

namespace tropolink {
namespace {

constexpr std::size_t kPercentWidth = 8;
constexpr std::size_t kFigureWidth = 11;
constexpr int kFigureDecimals = 3;
constexpr std::string_view kLineOfSight = "line of sight";

void padLeft(std::string& out, std::string_view text, std::size_t width) {
    if (text.size() < width) out.append(width - text.size(), ' ');
    out += text;
}

void appendFigure(std::string& out, std::optional<double> value) {
    std::string text;
    if (value) appendFixed(text, *value, kFigureDecimals);
    padLeft(out, text, kFigureWidth);
}

void appendGeometryLine(std::string& out, std::string_view name, std::optional<double> value, std::string_view unit,
                        std::string_view meaning) {
    out += "  ";
    out += name;
    out.append(10 - name.size(), ' ');
    std::string text;
    if (value)
        appendFixed(text, *value, kFigureDecimals);
    else
        text = "-";
    padLeft(out, text, 13);
    out += ' ';
    out += unit;
    out.append(6 - unit.size(), ' ');
    out += meaning;
    if (!value) out += ", none on a line-of-sight path";
    out += '\n';
}

void appendGeometry(std::string& out, const itur::AvailabilityAnswer& a, const AvailabilityOptions& o) {
    const itur::ScatterGeometry& g = a.geometry;
    out += "Geometry (delta-N ";
    appendShortest(out, o.deltaN);
    out += g.lineOfSight() ? " N-units/km): line of sight, neither method gives a loss\n" : " N-units/km)\n";
    appendGeometryLine(out, "ae", g.effectiveEarthRadiusKm, "km", "effective earth radius");
    appendGeometryLine(out, "theta-t", g.thetaTMrad, "mrad", "horizon elevation angle at station 1");
    appendGeometryLine(out, "theta-r", g.thetaRMrad, "mrad", "horizon elevation angle at station 2");
    appendGeometryLine(out, "theta", g.scatterAngleMrad(), "mrad", "scatter angle");
    appendGeometryLine(out, "h0", a.commonVolumeHeightKm, "km", "height of the common volume");
}

void appendHeader(std::string& out, const AvailabilityOptions& o) {
    std::string zone = "P.2001 zone " + std::to_string(static_cast<int>(o.climateZone)) + ", " +
                       std::string(itur::climateZoneName(o.climateZone));
    std::string p617 = "P.617";
    p617.resize(4 * kFigureWidth - 1, ' ');
    out += '\n';
    out.append(kPercentWidth + 2, ' ');
    out += p617;
    out += "  ";
    out += zone;
    out += '\n';
    padLeft(out, "p (%)", kPercentWidth);
    for (int m = 0; m < 2; ++m)
        for (const std::string_view column : {"loss dB", "margin dB", "S/N 1 dB", "S/N 2 dB"})
            padLeft(out, column, kFigureWidth);
    out += '\n';
}

void appendMethodCells(std::string& out, const itur::PercentFigures& row) {
    if (!row.loss) {
        std::string cell = "    " + std::string(kLineOfSight);
        cell.resize(4 * kFigureWidth, ' ');
        out += cell;
        return;
    }
    for (const std::optional<double> value : {row.loss, row.fadeMargin, row.snrAtStation1, row.snrAtStation2})
        appendFigure(out, value);
}

void appendStation(std::string& out, std::string_view method, int station, const itur::StationAvailability& s) {
    out += "  ";
    out += method;
    out += " at station " + std::to_string(station) + ": ";
    switch (s.bound) {
        case itur::AvailabilityBound::None:
            appendFixed(out, *s.percent, 6);
            out += " % of the year, outage ";
            appendFixed(out, *s.outageMinutesPerYear, 1);
            out += " minutes a year\n";
            return;
        case itur::AvailabilityBound::Above:
            out += "met even at 99.999 % of the year\n";
            return;
        case itur::AvailabilityBound::Below:
            out += "missed even at 0.001 % of the year\n";
            return;
        case itur::AvailabilityBound::LineOfSight:
            break;
    }
    out += std::string(kLineOfSight) + '\n';
}

}  // namespace

void appendAvailabilityTable(std::string& out, const itur::AvailabilityAnswer& a, const AvailabilityOptions& o) {
    appendGeometry(out, a, o);
    appendHeader(out, o);
    for (std::size_t i = 0; i < a.p617.rows.size(); ++i) {
        std::string percent;
        appendShortest(percent, a.p617.rows[i].percent);
        padLeft(out, percent, kPercentWidth);
        appendMethodCells(out, a.p617.rows[i]);
        appendMethodCells(out, a.p2001.rows[i]);
        while (out.back() == ' ') out.pop_back();
        out += '\n';
    }
    if (!o.requiredSnrDb) return;
    out += "\nAvailability at S/N >= ";
    appendShortest(out, *o.requiredSnrDb);
    out += " dB:\n";
    for (int s = 0; s < 2; ++s)
        appendStation(out, "P.617 ", s + 1, (*a.p617.availability)[static_cast<std::size_t>(s)]);
    for (int s = 0; s < 2; ++s)
        appendStation(out, "P.2001", s + 1, (*a.p2001.availability)[static_cast<std::size_t>(s)]);
}

}  // namespace tropolink
