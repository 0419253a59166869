#include "plot/plot_panel.h"

#include <algorithm>
#include <cmath>

#include "plot/polyline.h"

namespace tropolink::plot {
namespace {

constexpr double kPixelsPerXTick = 90;
constexpr double kPixelsPerYTick = 40;
constexpr double kTickLengthPx = 5;
constexpr double kCurveTolerancePx = 0.1;  // well below what a screen shows
constexpr double kDotRadiusPx = 2.5;
constexpr double kValueMargin = 0.015;  // of the range of values
constexpr double kNarrowRegionPx = 18;  // a narrower shaded region has its label beside it
constexpr std::string_view kGridColour = "#dcdcdc";
constexpr std::string_view kTextColour = "#222222";

struct Scales {
    LinearScale x;
    LinearScale y;
};

// One unbroken stretch of a curve, "M x y x y ...".
void appendRun(std::string& d, std::span<const Point> run) {
    // Piece by piece: `"literal" + std::string` inserts at the front, which
    // GCC 12 at -O3 reports as an overlapping copy (-Wrestrict) that cannot happen.
    d += d.empty() ? "M" : " M";
    for (std::size_t i = 0; i < run.size(); ++i) {
        if (i > 0) d += ' ';
        d += px(run[i].x);
        d += ' ';
        d += px(run[i].y);
    }
}

// The curve, with a new move after every gap; a point with a gap on either
// side has no line to show it and is drawn as a dot.
void drawSeries(SvgWriter& svg, const Series& series, std::span<const double> xs, const Scales& s) {
    std::string d;
    std::vector<Point> dots;
    std::vector<Point> run;
    const auto endRun = [&] {
        if (run.size() == 1) dots.push_back(run.front());
        if (run.size() > 1) appendRun(d, simplifyPolyline(run, kCurveTolerancePx));
        run.clear();
    };
    for (std::size_t i = 0; i < xs.size(); ++i) {
        if (const std::optional<double>& v = series.values[i])
            run.push_back({s.x(xs[i]), s.y(*v)});
        else
            endRun();
    }
    endRun();
    drawCurve(svg, *series.style, std::move(d));
    for (const Point& dot : dots)
        svg.empty("circle", {{"cx", px(dot.x)},
                             {"cy", px(dot.y)},
                             {"r", px(kDotRadiusPx)},
                             {"fill", std::string(series.style->colour)},
                             {"stroke", "none"}});
}

void drawLineOfSight(SvgWriter& svg, const Box& box, const PanelContent& c, const LinearScale& x) {
    const double halfStep = c.xs.size() > 1 ? (x(c.xs[1]) - x(c.xs[0])) / 2 : 0;
    // On a logarithmic axis the steps shrink: each region ends halfway to its neighbour.
    const auto halfGap = [&](std::size_t i, std::size_t j) {
        return c.logX && j < c.xs.size() ? std::abs(x(c.xs[j]) - x(c.xs[i])) / 2 : halfStep;
    };
    for (const IndexRun& run : c.lineOfSight) {
        const double before = halfGap(run.first, run.first == 0 ? run.first + 1 : run.first - 1);
        const double from = std::max(box.left, x(c.xs[run.first]) - before);
        const double to = std::min(box.right(), x(c.xs[run.last]) + halfGap(run.last, run.last + 1));
        svg.empty("rect", {{"class", "line-of-sight"},
                           {"x", px(from)},
                           {"y", px(box.top)},
                           {"width", px(to - from)},
                           {"height", px(box.height)},
                           {"fill", std::string(kLineOfSightFill)},
                           {"fill-opacity", std::string(kLineOfSightOpacity)}});
        // Reads upwards along the region's right edge, inside it when there is room.
        const double baseline = to - from >= kNarrowRegionPx ? to - 5 : to + 13;
        svg.text("text",
                 {{"x", px(baseline)},
                  {"y", px(box.top + 8)},
                  {"transform", "rotate(-90 " + px(baseline) + " " + px(box.top + 8) + ")"},
                  {"text-anchor", "end"},
                  {"fill", "#555555"}},
                 "line of sight");
    }
}

void drawGrid(SvgWriter& svg, const Box& box, const Ticks& xTicks, const Ticks& yTicks, const Scales& s) {
    svg.open("g", {{"class", "grid"}, {"stroke", std::string(kGridColour)}, {"stroke-width", "1"}});
    for (const double v : xTicks.values)
        svg.empty("line", {{"x1", px(s.x(v))}, {"y1", px(box.top)}, {"x2", px(s.x(v))}, {"y2", px(box.bottom())}});
    for (const double v : yTicks.values) {
        // 0 dB is where a signal meets the noise: drawn darker.
        const std::string colour = v == 0 ? "#8c8c8c" : std::string(kGridColour);
        svg.empty("line", {{"x1", px(box.left)},
                           {"y1", px(s.y(v))},
                           {"x2", px(box.right())},
                           {"y2", px(s.y(v))},
                           {"stroke", colour}});
    }
    svg.close();
}

}  // namespace

Range valueRange(std::span<const Series> series) {
    std::optional<Range> range;
    for (const Series& s : series)
        for (const std::optional<double>& v : s.values) {
            if (!v) continue;
            if (!range) range = Range{*v, *v};
            range->lo = std::min(range->lo, *v);
            range->hi = std::max(range->hi, *v);
        }
    return range.value_or(Range{});
}

void drawCurve(SvgWriter& svg, const SeriesStyle& style, std::string pathData) {
    svg.empty("path", {{"data-series", std::string(style.label)},
                       {"stroke", std::string(style.colour)},
                       {"stroke-dasharray", std::string(style.dash)},
                       {"d", std::move(pathData)}});
}

void drawFrameAndAxes(SvgWriter& svg, const Box& box, const LinearScale& x, const LinearScale& y, const Ticks& xTicks,
                      const Ticks& yTicks, const AxisTitles& titles) {
    svg.empty("rect", {{"x", px(box.left)},
                       {"y", px(box.top)},
                       {"width", px(box.width)},
                       {"height", px(box.height)},
                       {"fill", "none"},
                       {"stroke", "#444444"}});
    svg.open("g", {{"class", "axes"}, {"fill", std::string(kTextColour)}, {"stroke", "#444444"}});
    for (const double v : xTicks.values) {
        svg.empty(
            "line",
            {{"x1", px(x(v))}, {"y1", px(box.bottom())}, {"x2", px(x(v))}, {"y2", px(box.bottom() + kTickLengthPx)}});
        svg.text("text", {{"x", px(x(v))}, {"y", px(box.bottom() + 18)}, {"text-anchor", "middle"}, {"stroke", "none"}},
                 xTicks.label(v));
    }
    for (const double v : yTicks.values) {
        svg.empty("line",
                  {{"x1", px(box.left - kTickLengthPx)}, {"y1", px(y(v))}, {"x2", px(box.left)}, {"y2", px(y(v))}});
        svg.text("text", {{"x", px(box.left - 8)}, {"y", px(y(v) + 4)}, {"text-anchor", "end"}, {"stroke", "none"}},
                 yTicks.label(v));
    }
    svg.text("text",
             {{"x", px(box.left + box.width / 2)},
              {"y", px(box.bottom() + 38)},
              {"text-anchor", "middle"},
              {"stroke", "none"},
              {"font-size", "13"}},
             titles.x);
    const double yTitleX = box.left - titles.yOffsetPx;
    const double yTitleY = box.top + box.height / 2;
    svg.text("text",
             {{"x", px(yTitleX)},
              {"y", px(yTitleY)},
              {"text-anchor", "middle"},
              {"stroke", "none"},
              {"font-size", "13"},
              {"transform", "rotate(-90 " + px(yTitleX) + " " + px(yTitleY) + ")"}},
             titles.y);
    svg.close();
}

void drawPanel(SvgWriter& svg, const Box& box, const PanelContent& content, Range yRange) {
    // A logarithmic axis is a linear one over the logarithms.
    std::vector<double> logXs;
    PanelContent c = content;
    if (c.logX) {
        logXs.reserve(c.xs.size());
        for (const double x : c.xs) logXs.push_back(std::log10(x));
        c.xs = logXs;
    }
    const Range xRange = nonEmpty({c.xs.front(), c.xs.back()});
    const Ticks xTicks =
        c.logX ? logTicksWithin(xRange) : ticksWithin(xRange, static_cast<int>(box.width / kPixelsPerXTick));
    // A little room above and below, so no curve runs along the frame.
    const double margin = (yRange.hi - yRange.lo) * kValueMargin;
    const Range padded = nonEmpty({yRange.lo - margin, yRange.hi + margin});
    const Ticks yTicks = ticksAround(padded, static_cast<int>(box.height / kPixelsPerYTick));
    const Scales s{LinearScale(xRange, box.left, box.right()), LinearScale(yTicks.span(), box.bottom(), box.top)};

    svg.open("g", {{"id", std::string(c.id)}});
    svg.text("text",
             {{"x", px(box.left)},
              {"y", px(box.top - 10)},
              {"font-size", "14"},
              {"font-weight", "bold"},
              {"fill", std::string(kTextColour)}},
             c.heading);
    drawGrid(svg, box, xTicks, yTicks, s);
    drawLineOfSight(svg, box, c, s.x);
    svg.open("g", {{"class", "series"},
                   {"fill", "none"},
                   {"stroke-width", "1.8"},
                   {"stroke-linejoin", "round"},
                   {"stroke-linecap", "round"}});
    for (const Series& series : c.series) drawSeries(svg, series, c.xs, s);
    svg.close();
    drawFrameAndAxes(svg, box, s.x, s.y, xTicks, yTicks, {c.xLabel, c.yLabel, 46});
    svg.close();
}

}  // namespace tropolink::plot
