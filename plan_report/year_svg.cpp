#include "plan_report/year_svg.h"

#include <algorithm>
#include <cmath>

#include "plan_report/probability_axis.h"
#include "plan_report/report_sections.h"
#include "plot/plot_axis.h"
#include "plot/plot_panel.h"
#include "plot/polyline.h"
#include "plot/svg_writer.h"

namespace tropolink {
namespace {

using plot::px;

constexpr double kWidthPx = 680;
constexpr double kHeightPx = 400;
constexpr plot::Box kPlot{64, 20, 400, 320};
constexpr double kLegendLeftPx = 482;
constexpr double kMarginDb = 3;
constexpr std::string_view kRequiredColour = "#6a3d9a";
// One colour per ITU method, in itur::kItuMethods order.
constexpr std::array<std::string_view, itur::kItuMethods.size()> kCurveColours{"#1f4e9c", "#b8322a"};

constexpr std::array<std::string_view, kMethodCount> kMedianColours{"#1b9e77", "#d95f02", "#7570b3", "#e7298a", "#66a61e"};

}  // namespace

std::string yearLossSvg(const PlanResult& result, const BudgetDirection& a, const BudgetDirection& b) {
    double lo = INFINITY;
    double hi = -INFINITY;
    const auto widen = [&](double v) {
        lo = std::min(lo, v);
        hi = std::max(hi, v);
    };
    for (const YearCurve& c : result.yearCurves)
        for (const LossPoint& point : c.points) widen(point.lossDb);
    std::vector<std::pair<std::size_t, double>> medians;  // legacy column, loss
    for (std::size_t m = 0; m < a.rows.size(); ++m)
        if (!a.rows[m].percent && a.rows[m].pathLossDb) {
            medians.emplace_back(m, *a.rows[m].pathLossDb);
            widen(*a.rows[m].pathLossDb);
        }
    if (a.maxLossDb) widen(*a.maxLossDb);
    if (b.maxLossDb) widen(*b.maxLossDb);
    if (!std::isfinite(lo)) lo = hi = 0;

    std::string out;
    plot::SvgWriter svg(out, kWidthPx, kHeightPx);
    svg.empty("rect", {{"width", "100%"}, {"height", "100%"}, {"fill", "white"}});
    const plot::Ticks yTicks = plot::ticksAround(plot::nonEmpty({lo - kMarginDb, hi + kMarginDb}), 8);
    const plot::LinearScale y(yTicks.span(), kPlot.bottom(), kPlot.top);
    const ProbabilityAxis x(kYearLoPercent, kYearHiPercent, kPlot.left, kPlot.right());
    svg.open("g", {{"stroke", "#e2e2e2"}});
    for (const double v : yTicks.values)
        svg.empty("line", {{"x1", px(kPlot.left)}, {"y1", px(y(v))}, {"x2", px(kPlot.right())}, {"y2", px(y(v))}});
    for (const double p : kYearTickPercents)
        svg.empty("line", {{"x1", px(x(p))}, {"y1", px(kPlot.top)}, {"x2", px(x(p))}, {"y2", px(kPlot.bottom())}});
    svg.close();
    for (const double p : kYearTickPercents)
        svg.text("text", {{"x", px(x(p))}, {"y", px(kPlot.bottom() + 16)}, {"text-anchor", "middle"}, {"font-size", "10"}},
                 percentText(p));

    double legendY = kPlot.top + 10;
    const auto legendEntry = [&](std::string_view colour, std::string_view dash, const std::string& text, bool dot) {
        if (dot)
            svg.empty("circle", {{"cx", px(kLegendLeftPx + 12)}, {"cy", px(legendY - 4)}, {"r", "4"},
                                 {"fill", std::string(colour)}});
        else
            svg.empty("line", {{"x1", px(kLegendLeftPx)}, {"y1", px(legendY - 4)}, {"x2", px(kLegendLeftPx + 24)},
                               {"y2", px(legendY - 4)}, {"stroke", std::string(colour)}, {"stroke-width", "2"},
                               {"stroke-dasharray", std::string(dash)}});
        svg.text("text", {{"x", px(kLegendLeftPx + 30)}, {"y", px(legendY)}, {"font-size", "11"}}, text);
        legendY += 18;
    };

    for (const YearCurve& c : result.yearCurves) {
        const std::string_view colour = kCurveColours[static_cast<std::size_t>(c.method)];
        std::string d;
        for (const LossPoint& point : c.points) {
            d += d.empty() ? "M" : " L";
            d += px(x(point.percent)) + " " + px(y(point.lossDb));
        }
        if (!d.empty())
            svg.empty("path", {{"d", d}, {"fill", "none"}, {"stroke", std::string(colour)}, {"stroke-width", "2"}});
        legendEntry(colour, "none", itur::recommendationName(c.method) + (c.points.empty() ? ": none" : ""), false);
    }
    const bool oneLine = a.maxLossDb && b.maxLossDb && std::abs(*a.maxLossDb - *b.maxLossDb) < 0.05;
    for (const BudgetDirection* d : {&a, &b}) {
        if (!d->maxLossDb || (oneLine && d == &b)) continue;
        const double level = y(*d->maxLossDb);
        svg.empty("line", {{"x1", px(kPlot.left)}, {"y1", px(level)}, {"x2", px(kPlot.right())}, {"y2", px(level)},
                           {"stroke", std::string(kRequiredColour)}, {"stroke-width", "1.5"},
                           {"stroke-dasharray", d == &a ? "6 4" : "2 3"}});
        legendEntry(kRequiredColour, d == &a ? "6 4" : "2 3",
                    "limit " + numberCell(d->maxLossDb, 1) + " dB" +
                        (oneLine ? std::string() : ", at station " + std::to_string(d->receiving)),
                    false);
    }
    for (const auto& [column, loss] : medians) {
        svg.empty("circle", {{"cx", px(x(50))}, {"cy", px(y(loss))}, {"r", "4"},
                             {"fill", std::string(kMedianColours[column])}, {"stroke", "white"}});
        legendEntry(kMedianColours[column], "none", a.rows[column].method + " median " + numberCell(loss, 1), true);
    }
    plot::drawFrameAndAxes(svg, kPlot, plot::LinearScale({0, 1}, kPlot.left, kPlot.right()), y, plot::Ticks{}, yTicks,
                           {"", "Path loss (dB)", 48});
    svg.text("text", {{"x", px(kPlot.left + kPlot.width / 2)}, {"y", px(kPlot.bottom() + 36)}, {"text-anchor", "middle"},
                      {"font-size", "12"}},
             "Time percentage for which the loss is not exceeded (%)");
    svg.finish();
    return out;
}

}  // namespace tropolink
