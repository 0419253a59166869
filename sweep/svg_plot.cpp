#include "sweep/svg_plot.h"

#include <algorithm>
#include <array>

#include "grammar/number_text.h"
#include "plot/plot_page.h"
#include "sweep/sweep_columns.h"
#include "sweep/sweep_curves.h"

namespace tropolink {

using namespace plot;
namespace {

constexpr double kAboveLossPanelPx = 32;
constexpr double kLossHeightPx = 380;
constexpr double kBelowPanelPx = 88;  // tick labels, axis label, the next heading
constexpr double kSignalToNoiseHeightPx = 260;
constexpr double kSignalToNoiseGapPx = 70;  // between the two lower panels
constexpr double kAvailabilityHeightPx = 260;
constexpr double kBottomMarginPx = 56;

std::string axisLabel(const SweepPlan& plan) {
    const std::string_view unit = plan.name.unit(plan.base.powerDividedBy1000);
    return std::string(plan.name.text()) + (unit.empty() ? " (slider position)" : " (" + std::string(unit) + ")");
}

// The settings that differ from the start positions, as --set reads them.
std::vector<std::string> changedSettings(const SweepPlan& plan) {
    std::vector<std::string> items;
    constexpr auto start = startPositions();
    for (std::size_t i = 0; i < kAliases.size(); ++i) {
        const int position = plan.base.positions[i];
        if (kAliases[i].slider == plan.name.slider->slider || position == start[i]) continue;
        items.push_back(std::string(kAliases[i].name) + "=" + shownValue(position, kSliders[i].positionsPerUnit));
    }
    if (plan.base.powerDividedBy1000) items.emplace_back(kPowerDividedBy1000Word);
    return items;
}

std::vector<std::string> settingsLines(const SweepPlan& plan) {
    const std::vector<std::string> items = changedSettings(plan);
    if (items.empty()) return {"Every other setting at its start position"};
    std::vector<std::string> lines{"Settings that differ from the start positions: " + items.front()};
    for (std::size_t i = 1; i < items.size(); ++i) {
        if (lines.back().size() + items[i].size() + 2 > kSubtitleLineChars) {
            lines.back() += ',';
            lines.push_back(items[i]);
        } else {
            lines.back() += ", " + items[i];
        }
    }
    return lines;
}

std::vector<std::string> subtitleLines(const SweepPlan& plan, bool beyondSaneRange) {
    std::vector<std::string> lines = settingsLines(plan);
    if (beyondSaneRange)
        lines.push_back(
            "Not drawn as out of range: each loss, and the S/N from it, where the scattering angle exceeds " +
            shownValue(static_cast<int>(kMaxSaneScatteringAngleDeg), 1) + " deg or the loss " +
            shownValue(static_cast<int>(kMaxSaneLossDb), 1) + " dB");
    return lines;
}

// A sample of each curve with its label, from `top`; the y below the last.
double drawKeys(SvgWriter& svg, double top, std::span<const Series> series) {
    double y = top + 12;
    svg.open("g", {{"fill", "none"}, {"stroke-width", "1.8"}, {"stroke-linecap", "round"}});
    for (const Series& s : series) {
        std::string d = "M";  // appended, not `"M" + std::string`: see plot_panel.cpp
        d += px(kLegendLeftPx);
        d += ' ';
        d += px(y);
        d += " h";
        d += px(kLegendSampleWidthPx);
        drawCurve(svg, *s.style, std::move(d));
        y += kLegendRowPx;
    }
    svg.close();
    y = top + 16;
    for (const Series& s : series) {
        svg.text("text", {{"x", px(kLegendTextLeftPx)}, {"y", px(y)}}, s.style->label);
        y += kLegendRowPx;
    }
    return y;
}

void drawNote(SvgWriter& svg, double& y, std::span<const std::string> note) {
    y += kLineHeightPx;
    for (const std::string& line : note) {
        svg.text("text", {{"x", px(kLegendLeftPx)}, {"y", px(y)}, {"fill", "#555555"}}, line);
        y += kLineHeightPx;
    }
}

// The ITU-R curves: loss not exceeded for P % of the year, with the options they were drawn for.
std::vector<std::string> ituNote(const AvailabilityOptions& o) {
    std::string options = "(climate zone " + std::to_string(static_cast<int>(o.climateZone)) + ", delta-N ";
    appendShortest(options, o.deltaN);
    std::string methods;
    for (const itur::ItuMethod method : itur::kItuMethods)
        methods += (methods.empty() ? "" : ", ") + std::string(itur::methodNames(method).label);
    std::vector<std::string> note{methods + ": loss not", "exceeded for P % of the year"};
    if (o.groundHeightKm != 0) {
        note.push_back(options + ",");
        options = "ground height ";
        appendShortest(options, o.groundHeightKm);
        options += " km";
    }
    note.push_back(options + ");");
    note.emplace_back("none on a line-of-sight path.");
    return note;
}

void drawLegend(SvgWriter& svg, double top, std::span<const Series> series, const SweepPlan& plan) {
    openLegend(svg, top);
    double y = drawKeys(svg, top, series);
    svg.empty("rect", {{"x", px(kLegendLeftPx)},
                       {"y", px(y - 10)},
                       {"width", px(kLegendSampleWidthPx)},
                       {"height", "14"},
                       {"fill", std::string(kLineOfSightFill)},
                       {"fill-opacity", std::string(kLineOfSightOpacity)}});
    svg.text("text", {{"x", px(kLegendTextLeftPx)}, {"y", px(y + 1)}}, "Line-of-sight path");
    const std::vector<std::string> note{"Signal-to-noise uses each", "method's loss; on a line-of-",
                                        "sight path every column uses", "the free-space loss."};
    y += kLineHeightPx;
    drawNote(svg, y, note);
    if (!plan.percents.empty()) drawNote(svg, y, ituNote(plan.methodOptions));
    svg.close();
}

// Below the signal-to-noise panels, with its keys beside it as the loss panel has them.
void drawAvailability(SvgWriter& svg, const Box& box, const SweepPlan& plan, const SweepCurves& c,
                      const std::string& xLabel) {
    std::string heading = "Availability (% of the year): largest P with S/N at least ";
    appendShortest(heading, *plan.methodOptions.requiredSnrDb);
    heading += " dB";
    drawPanel(svg, box,
              {"availability", heading, "Availability (%)", xLabel, c.xs, c.lineOfSight, c.availability, plan.logX},
              valueRange(c.availability));
    openLegend(svg, box.top, "availability-legend");
    double y = drawKeys(svg, box.top, c.availability);
    const std::vector<std::string> note{"None where the S/N holds", "at 99.999 % or fails at", "0.001 % of the year."};
    drawNote(svg, y, note);
    svg.close();
}

}  // namespace

std::string svgPlot(const SweepPlan& plan, std::span<const SweepPoint> points) {
    return svgPlot(plan, sweepCurves(plan, points));
}

std::string svgPlot(const SweepPlan& plan, const SweepCurves& c) {
    const std::string title = "Path loss and signal-to-noise against " + std::string(plan.name.text());
    const std::string xLabel = axisLabel(plan);
    const std::vector<std::string> subtitle = subtitleLines(plan, c.beyondSaneRange);

    const double lossTop = belowSubtitlePx(subtitle.size()) + kAboveLossPanelPx;
    const Box loss{kPlotLeftPx, lossTop, kPlotRightPx - kPlotLeftPx, kLossHeightPx};
    const double halfWidth = (loss.width - kSignalToNoiseGapPx) / 2;
    const Box station1{kPlotLeftPx, loss.bottom() + kBelowPanelPx, halfWidth, kSignalToNoiseHeightPx};
    const Box station2{kPlotRightPx - halfWidth, station1.top, halfWidth, kSignalToNoiseHeightPx};

    const bool availability = !c.availability.empty();
    const Box availabilityBox{kPlotLeftPx, station1.bottom() + kBelowPanelPx, loss.width, kAvailabilityHeightPx};
    const double bottom = availability ? availabilityBox.bottom() : station1.bottom();

    std::string out;
    SvgWriter svg(out, kPageWidthPx, bottom + kBottomMarginPx);
    drawHeading(svg, title, subtitle);
    drawPanel(svg, loss, {"path-loss", "Path loss", "Path loss (dB)", xLabel, c.xs, c.lineOfSight, c.loss, plan.logX},
              valueRange(c.loss));
    drawLegend(svg, loss.top, c.loss, plan);
    // Both stations on one scale, so the two panels compare at a glance.
    const Range at1 = valueRange(c.atStation1);
    const Range at2 = valueRange(c.atStation2);
    const Range signalToNoise{std::min(at1.lo, at2.lo), std::max(at1.hi, at2.hi)};
    drawPanel(svg, station1,
              {"signal-to-noise-1", "Signal-to-noise at station 1", "S/N at station 1 (dB)", xLabel, c.xs,
               c.lineOfSight, c.atStation1, plan.logX},
              signalToNoise);
    drawPanel(svg, station2,
              {"signal-to-noise-2", "Signal-to-noise at station 2", "S/N at station 2 (dB)", xLabel, c.xs,
               c.lineOfSight, c.atStation2, plan.logX},
              signalToNoise);
    if (availability) drawAvailability(svg, availabilityBox, plan, c, xLabel);
    svg.finish();
    return out;
}

}  // namespace tropolink
