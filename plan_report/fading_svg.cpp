#include "plan_report/fading_svg.h"

#include <algorithm>
#include <array>

#include "plan_report/probability_axis.h"
#include "plan_report/report_sections.h"
#include "plot/plot_axis.h"
#include "plot/plot_panel.h"
#include "plot/svg_writer.h"
#include "report/fading_report.h"

namespace tropolink {
namespace {

using plot::px;

constexpr double kWidthPx = 720;
constexpr double kHeightPx = 400;
constexpr plot::Box kPlot{64, 20, 380, 320};
constexpr double kLegendLeftPx = 462;
constexpr std::string_view kRequiredColour = "#6a3d9a";
constexpr std::string_view kOneReceiverDash = "6 4";
constexpr std::string_view kMarginDash = "2 3";
// The year chart's colours, by method; further methods take the last.
constexpr std::array<std::string_view, 2> kCurveColours{"#1f4e9c", "#b8322a"};

std::string_view colourOf(itur::ItuMethod method) {
    return kCurveColours[std::min(static_cast<std::size_t>(method), kCurveColours.size() - 1)];
}

// The lower of the two stations' median margins: the link's.
std::optional<double> linkMarginDb(const itur::AvailabilityAnswer& a, itur::ItuMethod method) {
    const std::optional<itur::MethodFading>& f = itur::methodAnswer(a, method).fading;
    if (!f || !f->stations) return std::nullopt;
    return std::min((*f->stations)[0].medianMarginDb, (*f->stations)[1].medianMarginDb);
}

}  // namespace

std::string fadingAvailabilitySvg(const PlanResult& result) {
    if (result.fadingCurves.empty() || !result.availability.fading) return {};
    std::string out;
    plot::SvgWriter svg(out, kWidthPx, kHeightPx);
    svg.empty("rect", {{"width", "100%"}, {"height", "100%"}, {"fill", "white"}});
    const plot::Ticks xTicks = plot::ticksWithin({kFadingCurveLoDb, kFadingCurveHiDb}, 8);
    const plot::LinearScale x({kFadingCurveLoDb, kFadingCurveHiDb}, kPlot.left, kPlot.right());
    const ProbabilityAxis y(kYearLoPercent, kYearHiPercent, kPlot.bottom(), kPlot.top);
    svg.open("g", {{"stroke", "#e2e2e2"}});
    for (const double v : xTicks.values)
        svg.empty("line", {{"x1", px(x(v))}, {"y1", px(kPlot.top)}, {"x2", px(x(v))}, {"y2", px(kPlot.bottom())}});
    for (const double p : kYearTickPercents)
        svg.empty("line", {{"x1", px(kPlot.left)}, {"y1", px(y(p))}, {"x2", px(kPlot.right())}, {"y2", px(y(p))}});
    svg.close();
    for (const double p : kYearTickPercents)
        svg.text("text", {{"x", px(kPlot.left - 6)}, {"y", px(y(p) + 3.5)}, {"text-anchor", "end"}, {"font-size", "10"}},
                 percentText(p));

    double legendY = kPlot.top + 10;
    const auto legendEntry = [&](std::string_view colour, std::string_view dash, const std::string& text) {
        svg.empty("line", {{"x1", px(kLegendLeftPx)}, {"y1", px(legendY - 4)}, {"x2", px(kLegendLeftPx + 24)},
                           {"y2", px(legendY - 4)}, {"stroke", std::string(colour)}, {"stroke-width", "2"},
                           {"stroke-dasharray", std::string(dash)}});
        svg.text("text", {{"x", px(kLegendLeftPx + 30)}, {"y", px(legendY)}, {"font-size", "11"}}, text);
        legendY += 18;
    };
    // A curve within the axis: the availabilities beyond its ends are left out.
    const auto curve = [&](const std::vector<MarginPoint>& points, std::string_view colour, std::string_view dash) {
        std::string d;
        for (const MarginPoint& point : points) {
            if (point.availabilityPercent < kYearLoPercent || point.availabilityPercent > kYearHiPercent) continue;
            d += d.empty() ? "M" : " L";
            d += px(x(point.marginDb)) + " " + px(y(point.availabilityPercent));
        }
        if (!d.empty())
            svg.empty("path", {{"d", d}, {"fill", "none"}, {"stroke", std::string(colour)}, {"stroke-width", "2"},
                               {"stroke-dasharray", std::string(dash)}});
    };
    const std::string diversity = diversityName(result.availability.fading->diversity);
    for (const FadingCurve& c : result.fadingCurves) {
        const std::string_view colour = colourOf(c.method);
        const std::string name(itur::methodNames(c.method).label);
        curve(c.oneReceiver, colour, kOneReceiverDash);
        curve(c.withDiversity, colour, "none");
        legendEntry(colour, kOneReceiverDash, name + ", one receiver");
        if (result.availability.fading->diversity.order > 1) legendEntry(colour, "none", name + ", " + diversity);
    }
    const double required = result.plan.requiredAvailabilityPercent;
    if (required >= kYearLoPercent && required <= kYearHiPercent) {
        svg.empty("line", {{"x1", px(kPlot.left)}, {"y1", px(y(required))}, {"x2", px(kPlot.right())},
                           {"y2", px(y(required))}, {"stroke", std::string(kRequiredColour)}, {"stroke-width", "1.5"}});
        legendEntry(kRequiredColour, "none", "required " + percentText(required) + " %");
    }
    for (const FadingCurve& c : result.fadingCurves) {
        const std::optional<double> margin = linkMarginDb(result.availability, c.method);
        if (!margin || *margin < kFadingCurveLoDb || *margin > kFadingCurveHiDb) continue;
        svg.empty("line", {{"x1", px(x(*margin))}, {"y1", px(kPlot.top)}, {"x2", px(x(*margin))},
                           {"y2", px(kPlot.bottom())}, {"stroke", std::string(colourOf(c.method))},
                           {"stroke-width", "1.5"}, {"stroke-dasharray", std::string(kMarginDash)}});
        legendEntry(colourOf(c.method), kMarginDash,
                    "link margin " + numberCell(*margin, 1) + " dB, " + std::string(itur::methodNames(c.method).label));
    }
    plot::drawFrameAndAxes(svg, kPlot, x, plot::LinearScale({0, 1}, kPlot.bottom(), kPlot.top), xTicks, plot::Ticks{},
                           {"Median margin: S/N at L(50 %) over the required S/N (dB)", "Availability (% of the year)",
                            48});
    svg.finish();
    return out;
}

}  // namespace tropolink
