#include "report/availability_table.h"

#include <algorithm>
#include <array>
#include <numbers>

#include "link/number_text.h"
#include "report/availability_cells.h"
#include "report/availability_notes.h"

namespace tropolink {
namespace {

constexpr std::size_t kPercentWidth = 8;
constexpr std::size_t kFigureWidth = 11;  // the narrowest column; wider when a figure needs it
constexpr std::size_t kGeometryNameWidth = 10;
constexpr std::size_t kGeometryValueWidth = 13;
constexpr std::size_t kGeometryUnitWidth = 6;
constexpr std::string_view kLineOfSight = "line of sight";
constexpr std::string_view kOutOfRange = "out of range";

void appendGeometryLine(std::string& out, std::string_view name, std::optional<double> value, std::string_view unit,
                        std::string_view meaning) {
    out += "  ";
    padRight(out, name, kGeometryNameWidth);
    padLeft(out, value ? figureText(*value) : "-", kGeometryValueWidth);
    out += ' ';
    padRight(out, unit, kGeometryUnitWidth);
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

constexpr double kDegreesPerMrad = 0.180 / std::numbers::pi;

// One line with both radii: the methods' earth follows delta-N, the calculator's
// its own surface refractivity, so the two angles (and even line of sight) may differ.
void appendCalculatorAngle(std::string& out, const itur::ScatterGeometry& g, const AvailabilityOptions& o,
                           const PathGeometry& calculator) {
    out += "  scatter angle ";
    appendFixed(out, g.scatterAngleMrad(), 3);
    out += " mrad (";
    appendFixed(out, g.scatterAngleMrad() * kDegreesPerMrad, 3);
    out += " deg) on the ITU methods' earth of ";
    appendFixed(out, g.effectiveEarthRadiusKm, 1);
    out += " km (delta-N ";
    appendShortest(out, o.deltaN);
    out += "); the calculator's ";
    appendFixed(out, calculator.scatteringAngle, 3);
    out += " deg is on its own ";
    appendFixed(out, calculator.effectiveEarthRadius, 1);
    out += " km earth";
    if (calculator.lineOfSight != g.lineOfSight())
        out += calculator.lineOfSight ? ", where the path is line of sight" : ", where the path is beyond line of sight";
    out += '\n';
}

// The width of every figure column: the widest figure and a space, at least kFigureWidth.
std::size_t figureWidth(const itur::AvailabilityAnswer& a) {
    std::size_t widest = 0;
    for (const itur::MethodAnswer* m : {&a.p617, &a.p2001})
        for (const itur::PercentFigures& row : m->rows)
            for (const std::optional<double> value : {row.loss, row.fadeMargin, row.snrAtStation1, row.snrAtStation2})
                if (value) widest = std::max(widest, figureText(*value).size());
    return std::max(kFigureWidth, widest + 1);
}

void appendHeader(std::string& out, const AvailabilityOptions& o, std::size_t width) {
    std::string zone = "P.2001 zone " + std::to_string(static_cast<int>(o.climateZone)) + ", " +
                       std::string(itur::climateZoneName(o.climateZone));
    std::string p617 = "P.617";
    p617.resize(4 * width - 1, ' ');
    out += '\n';
    out.append(kPercentWidth + 2, ' ');
    out += p617;
    out += "  ";
    out += zone;
    out += '\n';
    padLeft(out, "p (%)", kPercentWidth);
    for (int m = 0; m < 2; ++m)
        for (const std::string_view column : {"loss dB", "margin dB", "S/N 1 dB", "S/N 2 dB"})
            padLeft(out, column, width);
    out += '\n';
}

void appendMethodCells(std::string& out, const itur::PercentFigures& row, std::size_t width) {
    if (row.verdict != itur::MethodVerdict::Valid) {
        std::string cell = "    " + std::string(row.verdict == itur::MethodVerdict::LineOfSight ? kLineOfSight
                                                                                                 : kOutOfRange);
        cell.resize(std::max(4 * width, cell.size() + 1), ' ');
        out += cell;
        return;
    }
    for (const std::optional<double> value : {row.loss, row.fadeMargin, row.snrAtStation1, row.snrAtStation2})
        padLeft(out, value ? figureText(*value) : "", width);
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
        case itur::AvailabilityBound::OutOfRange:
            out += std::string(kOutOfRange) + '\n';
            return;
        case itur::AvailabilityBound::LineOfSight:
            break;
    }
    out += std::string(kLineOfSight) + '\n';
}

void appendRows(std::string& out, const itur::AvailabilityAnswer& a, const AvailabilityOptions& o) {
    const std::size_t width = figureWidth(a);
    appendHeader(out, o, width);
    for (std::size_t i = 0; i < a.p617.rows.size(); ++i) {
        std::string percent;
        appendShortest(percent, a.p617.rows[i].percent);
        padLeft(out, percent, kPercentWidth);
        appendMethodCells(out, a.p617.rows[i], width);
        appendMethodCells(out, a.p2001.rows[i], width);
        while (out.back() == ' ') out.pop_back();
        out += '\n';
    }
    const std::vector<std::string> notes = availabilityNotes(a);
    if (!notes.empty()) out += '\n';
    for (const std::string& note : notes) out += "Note: " + note + ".\n";
    if (!o.requiredSnrDb) return;
    out += "\nAvailability at S/N >= ";
    appendShortest(out, *o.requiredSnrDb);
    out += " dB:\n";
    for (int s = 0; s < 2; ++s)
        appendStation(out, "P.617 ", s + 1, (*a.p617.availability)[static_cast<std::size_t>(s)]);
    for (int s = 0; s < 2; ++s)
        appendStation(out, "P.2001", s + 1, (*a.p2001.availability)[static_cast<std::size_t>(s)]);
}

}  // namespace

void appendAvailabilityTable(std::string& out, const itur::AvailabilityAnswer& a, const AvailabilityOptions& o,
                             const PathGeometry& calculator) {
    appendGeometry(out, a, o);
    appendCalculatorAngle(out, a.geometry, o, calculator);
    appendRows(out, a, o);
}

void appendAvailabilityTable(std::string& out, const itur::AvailabilityAnswer& a, const AvailabilityOptions& o) {
    appendGeometry(out, a, o);
    appendRows(out, a, o);
}

}  // namespace tropolink
