#include "plan_report/mechanism_svg.h"

#include <algorithm>
#include <cmath>

#include "plan_report/probability_axis.h"
#include "plan_report/report_sections.h"
#include "plot/svg_writer.h"

namespace tropolink {
namespace {

using plot::px;

constexpr double kWidthPx = 460;
constexpr double kHeightPx = 384;
constexpr plot::Box kPlot{54, 12, 392, 236};
constexpr double kLegendTopPx = 304;
constexpr double kLegendRowPx = 15;
constexpr double kLegendColumnPx = 240;  // the curves left, the limit and the required percentage right
// Room above the highest of Lb and the limit, so that the sub-models close
// enough to matter stay in view, dB.
constexpr double kHeadroomDb = 30;
constexpr double kMarginDb = 3;
constexpr std::string_view kLimitColour = "#6a3d9a";
constexpr std::string_view kRequiredColour = "#555555";

struct CurveStyle {
    std::string_view name;
    std::string_view words;
    std::string_view colour;
    std::string_view dash;
    std::string_view width;
};
constexpr std::array<CurveStyle, kMechanismCurves> kCurves{{
    {"Lb", "combined", "#111111", "none", "2.5"},
    {"Lbm1", "near the surface", "#1b9e77", "none", "1.5"},
    {"Lbm2", "ducting, layers", "#d95f02", "7 3", "1.5"},
    {"Lbm3", "troposcatter", "#1f4e9c", "none", "1.5"},
    {"Lbm4", "sporadic-E", "#e7298a", "2 3", "1.5"},
}};

}  // namespace

double curveLossDb(const MechanismLosses& at, std::size_t curve) {
    switch (curve) {
        case 0: return at.lbDb;
        case 1: return at.subModels.lbm1Db;
        case 2: return at.subModels.lbm2Db;
        case 3: return at.subModels.lbm3Db;
        default: return at.subModels.lbm4Db;
    }
}

std::string_view curveName(std::size_t curve) { return kCurves[curve].name; }

MechanismChartAxes mechanismChartAxes(const MechanismStation& station, std::optional<double> limitDb) {
    double lo = INFINITY;
    double lbHi = -INFINITY;
    double allHi = -INFINITY;
    for (const MechanismLosses& at : station.overYear)
        for (std::size_t c = 0; c < kMechanismCurves; ++c) {
            const double loss = curveLossDb(at, c);
            if (!std::isfinite(loss)) continue;
            lo = std::min(lo, loss);
            allHi = std::max(allHi, loss);
            if (c == 0) lbHi = std::max(lbHi, loss);
        }
    if (limitDb) {
        lo = std::min(lo, *limitDb);
        lbHi = std::max(lbHi, *limitDb);
        allHi = std::max(allHi, *limitDb);
    }
    if (!std::isfinite(lo)) lo = lbHi = allHi = 0;
    const double hi = std::min(allHi, lbHi + kHeadroomDb);
    plot::Ticks ticks = plot::ticksAround(plot::nonEmpty({lo - kMarginDb, hi + kMarginDb}), 8);
    const plot::LinearScale y(ticks.span(), kPlot.bottom(), kPlot.top);
    return {kPlot, std::move(ticks), ProbabilityAxis(kYearLoPercent, kYearHiPercent, kPlot.left, kPlot.right()), y};
}

std::string mechanismSvg(const MechanismStation& station, std::optional<double> limitDb,
                         std::optional<double> requiredPercent, std::string_view clipId) {
    const MechanismChartAxes a = mechanismChartAxes(station, limitDb);
    const plot::Box& b = a.box;
    const double top = a.lossTicks.span().hi;
    std::string out;
    plot::SvgWriter svg(out, kWidthPx, kHeightPx);
    svg.empty("rect", {{"width", "100%"}, {"height", "100%"}, {"fill", "white"}});
    svg.open("defs");
    svg.open("clipPath", {{"id", std::string(clipId)}});
    svg.empty("rect", {{"x", px(b.left)}, {"y", px(b.top)}, {"width", px(b.width)}, {"height", px(b.height)}});
    svg.close();
    svg.close();
    svg.open("g", {{"stroke", "#e2e2e2"}});
    for (const double v : a.lossTicks.values)
        svg.empty("line", {{"x1", px(b.left)}, {"y1", px(a.y(v))}, {"x2", px(b.right())}, {"y2", px(a.y(v))}});
    for (const double p : kYearTickPercents)
        svg.empty("line", {{"x1", px(a.x(p))}, {"y1", px(b.top)}, {"x2", px(a.x(p))}, {"y2", px(b.bottom())}});
    svg.close();
    for (const double p : kYearTickPercents)
        svg.text("text", {{"x", px(a.x(p))}, {"y", px(b.bottom() + 14)}, {"text-anchor", "middle"}, {"font-size", "9"}},
                 percentText(p));

    std::size_t legendEntry = 0;
    const auto legend = [&](std::string_view colour, std::string_view dash, std::string_view width,
                            const std::string& text) {
        const bool right = legendEntry >= kMechanismCurves;
        const std::size_t row = right ? legendEntry - kMechanismCurves : legendEntry;
        const double x0 = b.left - 40 + (right ? kLegendColumnPx : 0);
        const double y0 = kLegendTopPx + static_cast<double>(row) * kLegendRowPx;
        svg.empty("line", {{"x1", px(x0)}, {"y1", px(y0 - 4)}, {"x2", px(x0 + 24)}, {"y2", px(y0 - 4)},
                           {"stroke", std::string(colour)}, {"stroke-width", std::string(width)},
                           {"stroke-dasharray", std::string(dash)}});
        svg.text("text", {{"x", px(x0 + 30)}, {"y", px(y0)}, {"font-size", "11"}}, text);
        ++legendEntry;
    };

    svg.open("g", {{"clip-path", "url(#" + std::string(clipId) + ")"}, {"fill", "none"}});
    // The sub-models first, so that Lb lies on top where it follows one.
    for (std::size_t c = kMechanismCurves; c-- > 0;) {
        std::string d;
        for (const MechanismLosses& at : station.overYear) {
            d += d.empty() ? "M" : " L";
            d += px(a.x(at.percent)) + " " + px(a.y(curveLossDb(at, c)));
        }
        if (d.empty()) continue;
        svg.empty("path", {{"data-curve", std::string(kCurves[c].name)}, {"d", d}, {"stroke", std::string(kCurves[c].colour)},
                           {"stroke-width", std::string(kCurves[c].width)},
                           {"stroke-dasharray", std::string(kCurves[c].dash)}});
    }
    svg.close();
    for (std::size_t c = 0; c < kMechanismCurves; ++c) {
        const bool above = std::all_of(station.overYear.begin(), station.overYear.end(),
                                       [&](const MechanismLosses& at) { return curveLossDb(at, c) > top; });
        legend(kCurves[c].colour, kCurves[c].dash, kCurves[c].width,
               std::string(kCurves[c].name) + " " + std::string(kCurves[c].words) + (above ? " (above the chart)" : ""));
    }
    if (limitDb) {
        svg.empty("line", {{"x1", px(b.left)}, {"y1", px(a.y(*limitDb))}, {"x2", px(b.right())}, {"y2", px(a.y(*limitDb))},
                           {"stroke", std::string(kLimitColour)}, {"stroke-width", "1.5"}, {"stroke-dasharray", "6 4"}});
        legend(kLimitColour, "6 4", "1.5", "limit " + numberCell(limitDb, 1) + " dB");
    }
    if (requiredPercent && *requiredPercent >= kYearLoPercent && *requiredPercent <= kYearHiPercent) {
        const double x = a.x(*requiredPercent);
        svg.empty("line", {{"x1", px(x)}, {"y1", px(b.top)}, {"x2", px(x)}, {"y2", px(b.bottom())},
                           {"stroke", std::string(kRequiredColour)}, {"stroke-width", "1.5"}, {"stroke-dasharray", "3 3"}});
        legend(kRequiredColour, "3 3", "1.5", "required " + percentText(*requiredPercent) + " %");
    }
    plot::drawFrameAndAxes(svg, b, plot::LinearScale({0, 1}, b.left, b.right()), a.y, plot::Ticks{}, a.lossTicks,
                           {"", "Basic transmission loss (dB)", 42});
    svg.text("text", {{"x", px(b.left + b.width / 2)}, {"y", px(b.bottom() + 30)}, {"text-anchor", "middle"},
                      {"font-size", "11"}},
             "Time percentage for which the loss is not exceeded (%)");
    svg.finish();
    return out;
}

}  // namespace tropolink
