#include "report/profile_svg.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <vector>

#include "link/number_text.h"
#include "plot/plot_axis.h"
#include "plot/plot_page.h"
#include "plot/plot_panel.h"
#include "plot/polyline.h"
#include "plot/svg_writer.h"
#include "profile/rays.h"

namespace tropolink {

using namespace plot;
namespace {

using profile::earthBulgeM;

constexpr double kPlotHeightPx = 420;
constexpr double kHeadroom = 0.12;  // of the heights shown, above the highest feature
constexpr int kGridSamples = 96;    // per height grid curve
constexpr std::string_view kGround = "#c9b48a";
constexpr std::string_view kGroundEdge = "#7a6235";
constexpr std::string_view kSea = "#2f7fc1";
constexpr std::string_view kRay = "#d0312d";
constexpr std::string_view kDirect = "#555555";
constexpr std::string_view kCrossing = "#7b3fa0";
constexpr std::string_view kGrid = "#dcdcdc";

std::string fixed(double value, int decimals) {
    std::string text;
    appendFixed(text, value, decimals);
    return text;
}

// The page: km along the path, metres above the chord through sea level.
struct Page {
    LinearScale x;
    LinearScale y;
    double pathKm;

    Point at(double km, double heightM) const { return {x(km), y(heightM + earthBulgeM(km, pathKm))}; }
};

std::string pathData(std::span<const Point> points) {
    std::string d;
    for (std::size_t i = 0; i < points.size(); ++i)
        d += (i == 0 ? "M" : " L") + px(points[i].x) + " " + px(points[i].y);
    return d;
}

void line(SvgWriter& svg, Point a, Point b, std::string_view colour, std::string_view width,
          std::string_view dash = "none") {
    svg.empty("line", {{"x1", px(a.x)},
                       {"y1", px(a.y)},
                       {"x2", px(b.x)},
                       {"y2", px(b.y)},
                       {"stroke", std::string(colour)},
                       {"stroke-width", std::string(width)},
                       {"stroke-dasharray", std::string(dash)}});
}

void dot(SvgWriter& svg, Point p, std::string_view colour, double radius) {
    svg.empty("circle", {{"cx", px(p.x)},
                         {"cy", px(p.y)},
                         {"r", px(radius)},
                         {"fill", std::string(colour)},
                         {"stroke", "white"},
                         {"stroke-width", "1"}});
}

void label(SvgWriter& svg, Point p, std::string_view anchor, std::string_view text,
           std::string_view colour = "#222222") {
    svg.text("text",
             {{"x", px(p.x)}, {"y", px(p.y)}, {"text-anchor", std::string(anchor)}, {"fill", std::string(colour)}},
             text);
}

// The highest and lowest page heights that the picture must hold.
Range pageHeights(const ProfilePicture& pic, const std::optional<profile::RayCrossing>& crossing) {
    const double d = pic.settings.distanceKm;
    Range r{0, std::max(pic.settings.station1.antennaHeightM, pic.settings.station2.antennaHeightM)};
    r.hi = std::max(r.hi, earthBulgeM(d / 2, d));
    for (const auto& p : pic.points) {
        const double z = p.heightM + earthBulgeM(p.distanceKm, d);
        r.lo = std::min(r.lo, p.heightM);
        r.hi = std::max(r.hi, z);
    }
    if (crossing) r.hi = std::max(r.hi, crossing->heightM + earthBulgeM(crossing->distanceKm, d));
    r.hi += kHeadroom * (r.hi - r.lo);
    return nonEmpty(r);
}

std::vector<std::string> subtitleLines(const ProfilePicture& pic, double exaggeration,
                                       const std::optional<std::size_t>& blocking) {
    const auto& g = pic.values.geometry;
    std::vector<std::string> lines{"Effective earth radius " + fixed(kEffectiveEarthRadiusKm, 5) +
                                   " km; vertical scale exaggerated " + fixed(exaggeration, exaggeration < 10 ? 1 : 0) +
                                   " times; height grid lines follow the curved earth"};
    std::string path = g.lineOfSight ? "Line-of-sight path" : "Path beyond the horizon";
    path += " (scattering angle " + fixed(g.scatteringAngle, 3) + " deg); the direct line between the antennas ";
    path +=
        blocking ? "meets the ground at " + fixed(pic.points[*blocking].distanceKm, 1) + " km" : "clears the ground";
    lines.push_back(path);
    std::string settings = "Settings: ";
    std::string_view rest = pic.settingsLine;
    while (!rest.empty()) {
        const auto blank = rest.find(' ');
        const std::string_view word = rest.substr(0, blank);
        rest = blank == std::string_view::npos ? std::string_view{} : rest.substr(blank + 1);
        if (settings.size() + word.size() + 1 > kSubtitleLineChars) {
            lines.push_back(settings);
            settings.clear();
        }
        settings += (settings.empty() || settings.ends_with(": ") ? "" : " ") + std::string(word);
    }
    lines.push_back(settings);
    return lines;
}

void drawGrid(SvgWriter& svg, const Box& box, const Page& page, const Ticks& xTicks, const Ticks& yTicks) {
    svg.open("g", {{"class", "grid"}, {"fill", "none"}, {"stroke", std::string(kGrid)}, {"stroke-width", "1"}});
    for (const double v : xTicks.values)
        svg.empty("line",
                  {{"x1", px(page.x(v))}, {"y1", px(box.top)}, {"x2", px(page.x(v))}, {"y2", px(box.bottom())}});
    for (const double v : yTicks.values) {
        std::vector<Point> curve;
        for (int i = 0; i <= kGridSamples; ++i) curve.push_back(page.at(page.pathKm * i / kGridSamples, v));
        svg.empty("path", {{"d", pathData(curve)}});
    }
    svg.close();
}

void drawGround(SvgWriter& svg, const Box& box, const Page& page, std::span<const profile::ProfilePoint> points) {
    std::vector<Point> top;
    top.reserve(points.size());
    for (const auto& p : points) top.push_back(page.at(p.distanceKm, p.heightM));
    top = simplifyPolyline(top, 0.1);
    std::vector<Point> body = top;
    body.push_back({box.right(), box.bottom()});
    body.push_back({box.left, box.bottom()});
    svg.empty("path",
              {{"id", "ground"}, {"d", pathData(body) + " Z"}, {"fill", std::string(kGround)}, {"stroke", "none"}});
    std::vector<Point> sea;
    for (int i = 0; i <= kGridSamples; ++i) sea.push_back(page.at(page.pathKm * i / kGridSamples, 0));
    svg.empty("path", {{"id", "sea-level"},
                       {"d", pathData(sea)},
                       {"fill", "none"},
                       {"stroke", std::string(kSea)},
                       {"stroke-width", "1.5"}});
    svg.empty("path", {{"id", "terrain"},
                       {"d", pathData(top)},
                       {"fill", "none"},
                       {"stroke", std::string(kGroundEdge)},
                       {"stroke-width", "1.2"}});
}

// About how wide a label of the default font is.
double labelWidthPx(std::string_view text) { return 6.6 * static_cast<double>(text.size()); }

// A centred label moved sideways as far as it needs to stay inside the plot.
void labelInside(SvgWriter& svg, const Box& box, Point p, const std::string& text, std::string_view colour) {
    const double half = labelWidthPx(text) / 2;
    p.x = std::clamp(p.x, box.left + half + 4, std::max(box.left + half + 4, box.right() - half - 4));
    label(svg, p, "middle", text, colour);
}

void drawStation(SvgWriter& svg, const Box& box, const Page& page, const profile::ProfilePoint& ground,
                 const profile::StationSettings& s, bool first) {
    const Point foot = page.at(ground.distanceKm, ground.heightM);
    const Point top = page.at(ground.distanceKm, s.antennaHeightM);
    line(svg, foot, top, "#222222", "3");
    dot(svg, top, "#222222", 4.5);
    const double dx = first ? 8 : -8;
    const std::string_view anchor = first ? "start" : "end";
    label(svg, {top.x + dx, top.y - 10}, anchor,
          std::string(first ? "Station 1, " : "Station 2, ") + fixed(s.antennaHeightM, 0) + " m asl");
    // The horizon point, labelled with its distance from this station and its height.
    const double km = first ? s.horizon.distanceKm : page.pathKm - s.horizon.distanceKm;
    const Point h = page.at(km, s.horizon.heightM);
    dot(svg, h, kRay, 4);
    labelInside(svg, box, {h.x, h.y - 10},
                fixed(s.horizon.distanceKm, 1) + " km, " + fixed(s.horizon.heightM, 0) + " m", kRay);
}

void drawRays(SvgWriter& svg, const Page& page, const ProfilePicture& pic,
              const std::optional<profile::RayCrossing>& crossing) {
    const auto& p = pic.settings;
    const double d = p.distanceKm;
    const Point a1 = page.at(0, p.station1.antennaHeightM);
    const Point a2 = page.at(d, p.station2.antennaHeightM);
    line(svg, a1, a2, kDirect, "1.3", "6 4");
    // Without a crossing each ray runs on to the far station.
    const auto rayEnd = [&](const profile::StationSettings& s, bool first) {
        if (crossing) return page.at(crossing->distanceKm, crossing->heightM);
        const double km = first ? s.horizon.distanceKm : d - s.horizon.distanceKm;
        const Point from = first ? a1 : a2;
        const Point via = page.at(km, s.horizon.heightM);
        const double t = (page.x(first ? d : 0) - from.x) / (via.x - from.x);
        return Point{from.x + t * (via.x - from.x), from.y + t * (via.y - from.y)};
    };
    line(svg, a1, rayEnd(p.station1, true), kRay, "1.6");
    line(svg, a2, rayEnd(p.station2, false), kRay, "1.6");
}

void drawCrossing(SvgWriter& svg, const Box& box, const Page& page, const profile::RayCrossing& crossing) {
    const Point c = page.at(crossing.distanceKm, crossing.heightM);
    dot(svg, c, kCrossing, 4.5);
    labelInside(svg, box, {c.x, c.y - 12},
                "lowest point of the common volume: " + fixed(crossing.heightM, 0) + " m asl", kCrossing);
}

void drawLegend(SvgWriter& svg, double top, bool crossing) {
    openLegend(svg, top);
    double y = top + 12;
    const auto row = [&](std::string_view text) {
        label(svg, {kLegendTextLeftPx, y + 4}, "start", text);
        y += kLegendRowPx;
    };
    svg.empty("rect", {{"x", px(kLegendLeftPx)},
                       {"y", px(y - 7)},
                       {"width", px(kLegendSampleWidthPx)},
                       {"height", "14"},
                       {"fill", std::string(kGround)},
                       {"stroke", std::string(kGroundEdge)}});
    row("Ground");
    line(svg, {kLegendLeftPx, y}, {kLegendLeftPx + kLegendSampleWidthPx, y}, kSea, "1.5");
    row("Sea level");
    line(svg, {kLegendLeftPx + kLegendSampleWidthPx / 2, y + 8}, {kLegendLeftPx + kLegendSampleWidthPx / 2, y - 6},
         "#222222", "3");
    dot(svg, {kLegendLeftPx + kLegendSampleWidthPx / 2, y - 6}, "#222222", 4.5);
    row("Antenna and mast");
    line(svg, {kLegendLeftPx, y}, {kLegendLeftPx + kLegendSampleWidthPx, y}, kRay, "1.6");
    row("Horizon ray");
    dot(svg, {kLegendLeftPx + kLegendSampleWidthPx / 2, y}, kRay, 4);
    row("Horizon point");
    if (crossing) {
        dot(svg, {kLegendLeftPx + kLegendSampleWidthPx / 2, y}, kCrossing, 4.5);
        row("Rays cross");
    }
    line(svg, {kLegendLeftPx, y}, {kLegendLeftPx + kLegendSampleWidthPx, y}, kDirect, "1.3", "6 4");
    row("Direct line");
    svg.close();
}

}  // namespace

std::string profileSvg(const ProfilePicture& pic) {
    const double d = pic.settings.distanceKm;
    const auto crossing = profile::horizonRaysCrossing(pic.settings);
    const auto blocking = profile::firstPointAboveDirectLine(pic.points, pic.settings);
    const Ticks yTicks = ticksAround(pageHeights(pic, crossing), static_cast<int>(kPlotHeightPx / 45));
    const Ticks xTicks = ticksWithin({0, d}, static_cast<int>((kPlotRightPx - kPlotLeftPx) / 90));
    const Range yRange = yTicks.span();
    const double exaggeration = (kPlotHeightPx / (yRange.hi - yRange.lo)) / ((kPlotRightPx - kPlotLeftPx) / (1000 * d));
    const std::vector<std::string> subtitle = subtitleLines(pic, exaggeration, blocking);

    const double top = belowSubtitlePx(subtitle.size()) + 24;
    const Box box{kPlotLeftPx, top, kPlotRightPx - kPlotLeftPx, kPlotHeightPx};
    const Page page{LinearScale({0, d}, box.left, box.right()), LinearScale(yRange, box.bottom(), box.top), d};

    std::string out;
    SvgWriter svg(out, kPageWidthPx, box.bottom() + 64);
    drawHeading(svg, "Terrain profile and horizons", subtitle);
    svg.open("defs");
    svg.open("clipPath", {{"id", "plot-area"}});
    svg.empty("rect", {{"x", px(box.left)}, {"y", px(box.top)}, {"width", px(box.width)}, {"height", px(box.height)}});
    svg.close();
    svg.close();
    svg.open("g", {{"id", "profile"}, {"clip-path", "url(#plot-area)"}});
    drawGrid(svg, box, page, xTicks, yTicks);
    drawGround(svg, box, page, pic.points);
    drawRays(svg, page, pic, crossing);
    svg.close();
    // Markers and labels may reach over the frame.
    svg.open("g", {{"id", "marks"}});
    drawStation(svg, box, page, pic.points.front(), pic.settings.station1, true);
    drawStation(svg, box, page, pic.points.back(), pic.settings.station2, false);
    if (crossing) drawCrossing(svg, box, page, *crossing);
    svg.close();
    drawFrameAndAxes(svg, box, page.x, page.y, xTicks, yTicks,
                     {"Distance from station 1 (km)", "Height above sea level (m)", 56});
    drawLegend(svg, box.top, crossing.has_value());
    svg.finish();
    return out;
}

}  // namespace tropolink
