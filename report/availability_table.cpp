#include "report/availability_table.h"

#include <algorithm>
#include <array>
#include <numbers>

#include "grammar/number_text.h"
#include "report/availability_cells.h"
#include "report/availability_notes.h"
#include "report/fading_report.h"

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
    out += "  scatter angle " + figureText(g.scatterAngleMrad()) + " mrad (" +
           figureText(g.scatterAngleMrad() * kDegreesPerMrad);
    out += " deg) on the ITU methods' earth of ";
    appendFixed(out, g.effectiveEarthRadiusKm, 1);
    out += " km (delta-N ";
    appendShortest(out, o.deltaN);
    out += "); the calculator's " + figureText(calculator.scatteringAngle) + " deg is on its own ";
    appendFixed(out, calculator.effectiveEarthRadius, 1);
    out += " km earth";
    if (calculator.lineOfSight != g.lineOfSight())
        out += calculator.lineOfSight ? ", where the path is line of sight" : ", where the path is beyond line of sight";
    out += '\n';
}

// "S/N 1 dB" read like "an S/N of 1 dB": the station and the unit stand apart.
constexpr std::array<std::string_view, 4> kColumnHeadings{"loss (dB)", "margin (dB)", "S/N at 1 (dB)",
                                                          "S/N at 2 (dB)"};
using ColumnWidths = std::array<std::size_t, 4>;

// Each figure column is as wide as the widest figure or its heading and a space,
// at least kFigureWidth.
ColumnWidths columnWidths(const itur::AvailabilityAnswer& a) {
    std::size_t widest = 0;
    for (const itur::MethodAnswer* m : {&a.p617, &a.p2001})
        for (const itur::PercentFigures& row : m->rows)
            for (const std::optional<double> value : {row.loss, row.fadeMargin, row.snrAtStation1, row.snrAtStation2})
                if (value) widest = std::max(widest, figureText(*value).size());
    ColumnWidths widths{};
    for (std::size_t i = 0; i < widths.size(); ++i)
        widths[i] = std::max({kFigureWidth, widest + 1, kColumnHeadings[i].size() + 1});
    return widths;
}

std::size_t methodWidth(const ColumnWidths& widths) {
    return widths[0] + widths[1] + widths[2] + widths[3];
}

void appendHeader(std::string& out, const AvailabilityOptions& o, const ColumnWidths& widths) {
    std::string zone = std::string(itur::methodNames(itur::ItuMethod::P2001).label) + " zone " +
                       std::to_string(static_cast<int>(o.climateZone)) + ", " +
                       std::string(itur::climateZoneName(o.climateZone));
    std::string p617(itur::methodNames(itur::ItuMethod::P617).label);
    p617.resize(methodWidth(widths) - 1, ' ');
    out += '\n';
    out.append(kPercentWidth + 2, ' ');
    out += p617;
    out += "  ";
    out += zone;
    out += '\n';
    padLeft(out, "p (%)", kPercentWidth);
    for (int m = 0; m < 2; ++m)
        for (std::size_t i = 0; i < widths.size(); ++i) padLeft(out, kColumnHeadings[i], widths[i]);
    out += '\n';
}

void appendMethodCells(std::string& out, const itur::PercentFigures& row, const ColumnWidths& widths) {
    if (row.verdict != itur::MethodVerdict::Valid) {
        std::string cell = "    " + std::string(row.verdict == itur::MethodVerdict::LineOfSight ? kLineOfSight
                                                                                                 : kOutOfRange);
        cell.resize(std::max(methodWidth(widths), cell.size() + 1), ' ');
        out += cell;
        return;
    }
    const std::array<std::optional<double>, 4> values{row.loss, row.fadeMargin, row.snrAtStation1,
                                                      row.snrAtStation2};
    for (std::size_t i = 0; i < widths.size(); ++i) padLeft(out, values[i] ? figureText(*values[i]) : "", widths[i]);
}

void appendStation(std::string& out, itur::ItuMethod method, int station, const itur::StationAvailability& s) {
    // The labels padded to one width, so that the lines of both methods align.
    std::string label(itur::methodNames(method).label);
    label.resize(itur::longestLabel(), ' ');
    out += "  ";
    out += label;
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
    const ColumnWidths widths = columnWidths(a);
    appendHeader(out, o, widths);
    for (std::size_t i = 0; i < a.p617.rows.size(); ++i) {
        std::string percent;
        appendShortest(percent, a.p617.rows[i].percent);
        padLeft(out, percent, kPercentWidth);
        appendMethodCells(out, a.p617.rows[i], widths);
        appendMethodCells(out, a.p2001.rows[i], widths);
        while (out.back() == ' ') out.pop_back();
        out += '\n';
    }
    const std::vector<std::string> notes = availabilityNotes(a);
    if (!notes.empty()) out += '\n';
    for (const std::string& note : notes) out += "Note: " + note + ".\n";
    if (o.requiredSnrDb) {
        out += "\nAvailability at S/N >= ";
        appendShortest(out, *o.requiredSnrDb);
        out += a.fading ? " dB, hourly median only:\n" : " dB:\n";
        for (const itur::ItuMethod method : itur::kItuMethods)
            for (int s = 0; s < 2; ++s)
                appendStation(out, method, s + 1,
                              (*itur::methodAnswer(a, method).availability)[static_cast<std::size_t>(s)]);
    }
    appendFadingTable(out, a, o.requiredSnrDb);
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
