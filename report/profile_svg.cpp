#include "report/profile_svg.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>
#include <optional>
#include <vector>

#include "grammar/number_text.h"
#include "link/path_zones.h"
#include "plot/label_placement.h"
#include "plot/plot_axis.h"
#include "plot/plot_page.h"
#include "plot/plot_panel.h"
#include "plot/polyline.h"
#include "plot/svg_writer.h"
#include "profile/fresnel.h"
#include "profile/rays.h"

namespace tropolink {

using namespace plot;
namespace {

using profile::earthBulgeM;

constexpr double kPlotHeightPx = 420;
constexpr double kHeadroom = 0.12;  // of the heights shown, above the highest feature
constexpr int kGridSamples = 96;    // per height grid curve
constexpr std::string_view kGround = "#c9b48a";  // inland
constexpr std::string_view kCoastalLand = "#a9c47f";
constexpr std::string_view kSeaGround = "#9ec8ea";
constexpr std::string_view kGroundEdge = "#7a6235";
constexpr std::string_view kSea = "#2f7fc1";
constexpr std::string_view kFresnel = "#f0b429";
constexpr std::string_view kFresnelEdge = "#b7791f";
constexpr std::string_view kRay = "#d0312d";
constexpr std::string_view kDirect = "#555555";
constexpr std::string_view kCrossing = "#7b3fa0";
constexpr std::string_view kGrid = "#dcdcdc";

// The page: km along the path, metres above the chord through sea level,
// which is the height above sea level with the earth's bulge added.
struct Page {
    LinearScale x;
    LinearScale y;
    double pathKm;

    Point at(double km, double heightM) const { return {x(km), y(heightM + earthBulgeM(km, pathKm))}; }
};

std::string pathData(std::span<const Point> points) {
    std::string d;
    for (std::size_t i = 0; i < points.size(); ++i) {
        d += i == 0 ? "M" : " L";  // piece by piece, as plot_panel.cpp says why
        d += px(points[i].x);
        d += ' ';
        d += px(points[i].y);
    }
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

// A hollow ring: it marks a point that may carry another marker.
void ring(SvgWriter& svg, Point p, std::string_view colour) {
    svg.empty("circle", {{"cx", px(p.x)},
                         {"cy", px(p.y)},
                         {"r", "7"},
                         {"fill", "none"},
                         {"stroke", std::string(colour)},
                         {"stroke-width", "2"}});
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

std::string degreesInMrad(double degrees) {
    return fixedText(degrees * std::numbers::pi / 180 * 1000, 2) + " mrad = " + fixedText(degrees, 3) + "°";
}

double kFactor() { return kEffectiveEarthRadiusKm / 6371; }

// The caption in words: the radius, the exaggeration and the k-factor, the
// kind of path and the clearance of the first Fresnel zone.
std::vector<std::string> subtitleLines(const ProfilePicture& pic, double exaggeration,
                                       const std::optional<std::size_t>& blocking,
                                       const std::optional<profile::FresnelClearance>& worst) {
    const auto& g = pic.values.geometry;
    std::vector<std::string> lines{
        "Effective earth radius " + fixedText(kEffectiveEarthRadiusKm, 0) + " km (k-factor " + fixedText(kFactor(), 2) +
            "); heights exaggerated " + fixedText(exaggeration, exaggeration < 10 ? 1 : 0) + " times against distances",
        "Heights above sea level with the earth's bulge for that radius added to the ground, so that the rays and the "
        "direct line are straight"};
    std::string path = g.lineOfSight ? "Line-of-sight path" : "Path beyond the horizon";
    path += " (scattering angle " + degreesInMrad(g.scatteringAngle) + "); the direct line between the antennas ";
    path +=
        blocking ? "meets the ground at " + fixedText(pic.points[*blocking].distanceKm, 1) + " km" : "clears the ground";
    lines.push_back(path);
    if (!pic.frequencyMhz)
        lines.emplace_back("No frequency given: no Fresnel zone drawn");
    else if (worst)
        lines.push_back("First Fresnel zone at " + fixedText(*pic.frequencyMhz, 0) + " MHz; worst clearance " +
                        fixedText(worst->radii, 2) + " radii (" + fixedText(worst->clearanceM, 0) + " m) at " +
                        fixedText(worst->distanceKm, 1) + " km from station 1" +
                        (worst->radii < 0 ? ", the ground above the direct line" : ""));
    return lines;
}

void drawGrid(SvgWriter& svg, const Box& box, const Page& page, const Ticks& xTicks, const Ticks& yTicks) {
    svg.open("g", {{"class", "grid"}, {"fill", "none"}, {"stroke", std::string(kGrid)}, {"stroke-width", "1"}});
    for (const double v : xTicks.values)
        svg.empty("line",
                  {{"x1", px(page.x(v))}, {"y1", px(box.top)}, {"x2", px(page.x(v))}, {"y2", px(box.bottom())}});
    for (const double v : yTicks.values)
        svg.empty("line",
                  {{"x1", px(box.left)}, {"y1", px(page.y(v))}, {"x2", px(box.right())}, {"y2", px(page.y(v))}});
    svg.close();
}

std::string_view zoneColour(int zone) {
    if (zone == profile::kSeaZone) return kSeaGround;
    if (zone == profile::kCoastalLandZone) return kCoastalLand;
    return kGround;
}

// One filled shape per run of points in one zone, each run reaching the next
// run's first point so that they meet.
void drawZones(SvgWriter& svg, const Box& box, const Page& page, std::span<const profile::ProfilePoint> points,
               const std::vector<int>& zones) {
    svg.open("g", {{"id", "ground"}, {"stroke", "none"}});
    for (std::size_t begin = 0; begin + 1 < points.size();) {
        std::size_t end = begin + 1;
        while (end + 1 < points.size() && zones[end] == zones[begin]) ++end;
        std::vector<Point> top;
        for (std::size_t i = begin; i <= end; ++i) top.push_back(page.at(points[i].distanceKm, points[i].heightM));
        top = simplifyPolyline(top, 0.1);
        const double right = top.back().x;
        const double left = top.front().x;
        top.push_back({right, box.bottom()});
        top.push_back({left, box.bottom()});
        svg.empty("path", {{"class", "zone-" + std::to_string(zones[begin])},
                           {"d", pathData(top) + " Z"},
                           {"fill", std::string(zoneColour(zones[begin]))}});
        begin = end;
    }
    svg.close();
}

void drawGroundLines(SvgWriter& svg, const std::vector<Point>& top, const std::vector<Point>& sea) {
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

// The first Fresnel zone: the direct line plus and minus the zone's radius.
void drawFresnelZone(SvgWriter& svg, const Page& page, const ProfilePicture& pic) {
    const double d = pic.settings.distanceKm;
    std::vector<Point> outline;
    for (int side : {1, -1})
        for (int i = 0; i <= kGridSamples; ++i) {
            const double km = d * (side > 0 ? i : kGridSamples - i) / kGridSamples;
            const double r = profile::fresnelRadiusM(*pic.frequencyMhz, km, d - km);
            outline.push_back({page.x(km), page.y(profile::directLineM(pic.settings, km) + side * r)});
        }
    svg.empty("path", {{"id", "fresnel-zone"},
                       {"d", pathData(outline) + " Z"},
                       {"fill", std::string(kFresnel)},
                       {"fill-opacity", "0.35"},
                       {"stroke", std::string(kFresnelEdge)},
                       {"stroke-width", "0.8"}});
}

// Where the lines run on the page: the labels keep clear of them.
struct Lines {
    Point antenna1;
    Point antenna2;
    Point rayEnd1;
    Point rayEnd2;
    std::vector<Point> groundTop;
    std::vector<Point> seaLevel;
};

Lines pageLines(const Page& page, const ProfilePicture& pic, const std::optional<profile::RayCrossing>& crossing) {
    const auto& p = pic.settings;
    const double d = p.distanceKm;
    Lines l;
    l.antenna1 = page.at(0, p.station1.antennaHeightM);
    l.antenna2 = page.at(d, p.station2.antennaHeightM);
    // Without a crossing each ray runs on to the far station.
    const auto rayEnd = [&](const profile::StationSettings& s, bool first) {
        if (crossing) return page.at(crossing->distanceKm, crossing->heightM);
        const double km = first ? s.horizon.distanceKm : d - s.horizon.distanceKm;
        const Point from = first ? l.antenna1 : l.antenna2;
        const Point via = page.at(km, s.horizon.heightM);
        const double t = (page.x(first ? d : 0) - from.x) / (via.x - from.x);
        return Point{from.x + t * (via.x - from.x), from.y + t * (via.y - from.y)};
    };
    l.rayEnd1 = rayEnd(p.station1, true);
    l.rayEnd2 = rayEnd(p.station2, false);
    for (const auto& point : pic.points) l.groundTop.push_back(page.at(point.distanceKm, point.heightM));
    l.groundTop = simplifyPolyline(l.groundTop, 0.1);
    for (int i = 0; i <= kGridSamples; ++i) l.seaLevel.push_back(page.at(page.pathKm * i / kGridSamples, 0));
    return l;
}

struct Label {
    Point at;
    std::string_view anchor;
    std::string text;
    std::string_view colour;
};

// A label's place relative to its point.
struct Spot {
    double dx;
    double dy;
    std::string_view anchor;
};

// Around a point, nearest first: above or below it, centred or to either side.
constexpr std::array<double, 8> kSpotRises{-10, 20, -26, 36, -42, 52, -58, 68};
constexpr std::array<Spot, 7> kSpotSides{{{0, 0, "middle"},
                                          {8, 0, "start"},
                                          {-8, 0, "end"},
                                          {24, 0, "start"},
                                          {-24, 0, "end"},
                                          {48, 0, "start"},
                                          {-48, 0, "end"}}};

// The first spot around `p` whose label stays inside the plot and clear of the
// lines and of the labels placed before; the nearest when none is.
Label placeLabel(LabelPlacer& placer, const Box& box, Point p, std::string text, std::string_view colour) {
    std::vector<Label> labels;
    std::vector<Rect> boxes;
    for (const double dy : kSpotRises)
        for (const Spot& side : kSpotSides) {
            const Label l{{p.x + side.dx, p.y + dy}, side.anchor, text, colour};
            const Rect r = textBox(l.at, l.anchor, text);
            if (r.left < box.left + 2 || r.right > box.right() - 2 || r.top < box.top + 2 ||
                r.bottom > box.bottom() - 2)
                continue;
            labels.push_back(l);
            boxes.push_back(r);
        }
    if (labels.empty()) return {{p.x, p.y - 10}, "middle", std::move(text), colour};
    return labels[placer.placeOrFirst(boxes)];
}

void draw(SvgWriter& svg, const Label& l) { label(svg, l.at, l.anchor, l.text, l.colour); }

// A height as the axis shows it: above sea level, plus the bulge where it shows.
std::string heightWithBulge(double heightM, double bulgeM) {
    std::string text = fixedText(heightM, 0) + " m";
    if (std::lround(bulgeM) >= 1) text += " + " + fixedText(bulgeM, 0) + " m bulge";
    return text;
}

void drawStation(SvgWriter& svg, const Page& page, const profile::ProfilePoint& ground,
                 const profile::StationSettings& s, bool first) {
    const Point foot = page.at(ground.distanceKm, ground.heightM);
    const Point top = page.at(ground.distanceKm, s.antennaHeightM);
    line(svg, foot, top, "#222222", "3");
    dot(svg, top, "#222222", 4.5);
    const double km = first ? s.horizon.distanceKm : page.pathKm - s.horizon.distanceKm;
    dot(svg, page.at(km, s.horizon.heightM), kRay, 4);
}

void drawRays(SvgWriter& svg, const Lines& l) {
    line(svg, l.antenna1, l.antenna2, kDirect, "1.3", "6 4");
    line(svg, l.antenna1, l.rayEnd1, kRay, "1.6");
    line(svg, l.antenna2, l.rayEnd2, kRay, "1.6");
}

// The labels of the crossing, the horizon points and the stations, each
// placed clear of those before it.
std::vector<Label> markLabels(LabelPlacer& placer, const Box& box, const Page& page, const ProfilePicture& pic,
                              const std::optional<profile::RayCrossing>& crossing) {
    std::vector<Label> labels;
    const auto& p = pic.settings;
    if (crossing)
        labels.push_back(placeLabel(placer, box, page.at(crossing->distanceKm, crossing->heightM),
                                    "lowest point of the common volume: " +
                                        heightWithBulge(crossing->heightM,
                                                        earthBulgeM(crossing->distanceKm, page.pathKm)),
                                    kCrossing));
    for (const bool first : {true, false}) {
        const profile::StationSettings& s = first ? p.station1 : p.station2;
        const double km = first ? s.horizon.distanceKm : page.pathKm - s.horizon.distanceKm;
        // Its distance from its own station, which the axis does not give for station 2.
        labels.push_back(placeLabel(placer, box, page.at(km, s.horizon.heightM),
                                    fixedText(s.horizon.distanceKm, 1) + " km from station " + (first ? "1" : "2") + ", " +
                                        heightWithBulge(s.horizon.heightM, earthBulgeM(km, page.pathKm)),
                                    kRay));
    }
    for (const bool first : {true, false}) {
        const profile::StationSettings& s = first ? p.station1 : p.station2;
        labels.push_back(placeLabel(
            placer, box, page.at(first ? 0 : page.pathKm, s.antennaHeightM),
            std::string(first ? "Station 1, " : "Station 2, ") + fixedText(s.antennaHeightM, 0) + " m asl", "#222222"));
    }
    return labels;
}

// What the legend shows besides the fixed rows.
struct LegendContent {
    bool crossing = false;
    std::optional<double> frequencyMhz;
    std::array<bool, 3> zones{};  // sea, coastal land, inland present
    bool zoneColumn = false;
};

void drawLegend(SvgWriter& svg, double top, const LegendContent& c) {
    openLegend(svg, top);
    double y = top + 12;
    const auto row = [&](std::string_view text) {
        label(svg, {kLegendTextLeftPx, y + 4}, "start", text);
        y += kLegendRowPx;
    };
    const auto patch = [&](std::string_view fill, std::string_view stroke) {
        svg.empty("rect", {{"x", px(kLegendLeftPx)},
                           {"y", px(y - 7)},
                           {"width", px(kLegendSampleWidthPx)},
                           {"height", "14"},
                           {"fill", std::string(fill)},
                           {"stroke", std::string(stroke)}});
    };
    constexpr std::array<std::pair<int, std::string_view>, 3> kZoneRows{
        {{profile::kSeaZone, "Sea"}, {profile::kCoastalLandZone, "Coastal land"}, {profile::kInlandZone, "Inland"}}};
    for (std::size_t i = 0; i < kZoneRows.size(); ++i) {
        if (!c.zones[i]) continue;
        patch(zoneColour(kZoneRows[i].first), kGroundEdge);
        row(kZoneRows[i].second);
    }
    row(c.zoneColumn ? "(zones: the profile's column)" : "(zones: from the heights)");
    line(svg, {kLegendLeftPx, y}, {kLegendLeftPx + kLegendSampleWidthPx, y}, kSea, "1.5");
    row("Sea level + bulge");
    row("k-factor " + fixedText(kFactor(), 2) + ", ae " + fixedText(kEffectiveEarthRadiusKm, 0) + " km");
    line(svg, {kLegendLeftPx + kLegendSampleWidthPx / 2, y + 8}, {kLegendLeftPx + kLegendSampleWidthPx / 2, y - 6},
         "#222222", "3");
    dot(svg, {kLegendLeftPx + kLegendSampleWidthPx / 2, y - 6}, "#222222", 4.5);
    row("Antenna and mast");
    line(svg, {kLegendLeftPx, y}, {kLegendLeftPx + kLegendSampleWidthPx, y}, kRay, "1.6");
    row("Horizon ray");
    dot(svg, {kLegendLeftPx + kLegendSampleWidthPx / 2, y}, kRay, 4);
    row("Horizon point");
    if (c.crossing) {
        dot(svg, {kLegendLeftPx + kLegendSampleWidthPx / 2, y}, kCrossing, 4.5);
        row("Rays cross");
    }
    line(svg, {kLegendLeftPx, y}, {kLegendLeftPx + kLegendSampleWidthPx, y}, kDirect, "1.3", "6 4");
    row("Direct line");
    if (c.frequencyMhz) {
        patch(kFresnel, kFresnelEdge);
        row("1st Fresnel zone, " + fixedText(*c.frequencyMhz, 0) + " MHz");
        ring(svg, {kLegendLeftPx + kLegendSampleWidthPx / 2, y}, kFresnelEdge);
        row("Worst clearance");
    } else {
        row("No Fresnel zone: no");
        row("frequency given");
    }
    svg.close();
}

}  // namespace

std::string profileSvg(const ProfilePicture& pic) {
    const double d = pic.settings.distanceKm;
    const auto crossing = profile::horizonRaysCrossing(pic.settings);
    const auto blocking = profile::firstPointAboveDirectLine(pic.points, pic.settings);
    const std::optional<profile::FresnelClearance> worst =
        pic.frequencyMhz ? profile::worstFresnelClearance(pic.points, pic.settings, *pic.frequencyMhz) : std::nullopt;
    const PathZones zones = pathZones(pic.points);
    const Ticks yTicks = ticksAround(pageHeights(pic, crossing), static_cast<int>(kPlotHeightPx / 45));
    const Ticks xTicks = ticksWithin({0, d}, static_cast<int>((kPlotRightPx - kPlotLeftPx) / 90));
    const Range yRange = yTicks.span();
    const double exaggeration = (kPlotHeightPx / (yRange.hi - yRange.lo)) / ((kPlotRightPx - kPlotLeftPx) / (1000 * d));
    const std::vector<std::string> subtitle = subtitleLines(pic, exaggeration, blocking, worst);

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
    const Lines lines = pageLines(page, pic, crossing);
    LabelPlacer placer;
    placer.addLine(lines.antenna1, lines.antenna2);
    placer.addLine(lines.antenna1, lines.rayEnd1);
    placer.addLine(lines.antenna2, lines.rayEnd2);
    placer.addPolyline(lines.groundTop);
    placer.addSoftPolyline(lines.seaLevel);
    const std::vector<Label> marks = markLabels(placer, box, page, pic, crossing);

    svg.open("g", {{"id", "profile"}, {"clip-path", "url(#plot-area)"}});
    drawGrid(svg, box, page, xTicks, yTicks);
    drawZones(svg, box, page, pic.points, zones.zone);
    drawGroundLines(svg, lines.groundTop, lines.seaLevel);
    if (pic.frequencyMhz) drawFresnelZone(svg, page, pic);
    drawRays(svg, lines);
    svg.close();
    // Markers and labels may reach over the frame.
    svg.open("g", {{"id", "marks"}});
    drawStation(svg, page, pic.points.front(), pic.settings.station1, true);
    drawStation(svg, page, pic.points.back(), pic.settings.station2, false);
    if (worst) {
        const profile::ProfilePoint& p = pic.points[worst->point];
        ring(svg, page.at(p.distanceKm, p.heightM), kFresnelEdge);
    }
    for (const Label& l : marks) draw(svg, l);
    svg.close();
    drawFrameAndAxes(svg, box, page.x, page.y, xTicks, yTicks,
                     {"Distance from station 1 (km)", "Height above sea level + earth bulge (m)", 56});
    LegendContent legend{crossing.has_value(), pic.frequencyMhz, {}, zones.source == ZoneSource::Column};
    for (const int z : zones.zone)
        legend.zones[z == profile::kSeaZone ? 0 : z == profile::kCoastalLandZone ? 1 : 2] = true;
    drawLegend(svg, box.top, legend);
    svg.finish();
    return out;
}

}  // namespace tropolink
