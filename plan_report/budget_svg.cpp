#include "plan_report/budget_svg.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "plan_report/html_escape.h"
#include "plan_report/report_sections.h"
#include "plot/plot_axis.h"
#include "plot/plot_panel.h"
#include "plot/svg_writer.h"

namespace tropolink {
namespace {

using plot::px;

constexpr double kWidthPx = 1040;
constexpr double kPanelWidthPx = 520;
constexpr double kPanelHeightPx = 266;
constexpr double kPlotLeftPx = 62;
constexpr double kPlotRightPx = 500;
constexpr double kPlotTopPx = 46;
constexpr double kPlotHeightPx = 170;
constexpr double kHeadroomDb = 12;
constexpr std::string_view kLevelColour = "#4a78b5";
constexpr std::string_view kLossColour = "#c8553d";
constexpr std::string_view kGainColour = "#4f9d5d";
constexpr std::string_view kNoiseColour = "#8a8a8a";
constexpr std::string_view kRequiredColour = "#6a3d9a";

enum class Kind { Level, Step, Noise };

struct Bar {
    std::array<std::string_view, 2> label;
    Kind kind;
    double from;  // dBW; a level's bar starts at the axis
    double to;
};

std::vector<Bar> bars(const BudgetDirection& d, double lossDb) {
    const double afterLine = d.txPowerDbw - d.txLineLossDb;
    const double received = d.eirpDbw - lossDb + d.rxGainDbi;
    return {{{"Tx", "power"}, Kind::Level, 0, d.txPowerDbw},
            {{"line", "loss"}, Kind::Step, d.txPowerDbw, afterLine},
            {{"antenna", "gain"}, Kind::Step, afterLine, d.eirpDbw},
            {{"EIRP", ""}, Kind::Level, 0, d.eirpDbw},
            {{"path", "loss"}, Kind::Step, d.eirpDbw, d.eirpDbw - lossDb},
            {{"antenna", "gain"}, Kind::Step, d.eirpDbw - lossDb, received},
            {{"received", ""}, Kind::Level, 0, received},
            {{"noise", "power"}, Kind::Noise, 0, d.noisePowerDbw}};
}

std::string_view colourOf(const Bar& b) {
    if (b.kind == Kind::Level) return kLevelColour;
    if (b.kind == Kind::Noise) return kNoiseColour;
    return b.to < b.from ? kLossColour : kGainColour;
}

// "ITU-R P.2001 all mechanisms not exceeded for 99.9 % of the year".
std::string pathLossSource(const BudgetLossRow& r) {
    return r.method + (r.percent ? " not exceeded for " + percentText(*r.percent) + " % of the year" : " (median)");
}

void drawPanel(plot::SvgWriter& svg, const BudgetDirection& d, const CheckedPlan& plan, double leftPx) {
    constexpr double topPx = 0;
    const std::string& from = d.transmitting == 1 ? plan.station1.name : plan.station2.name;
    const std::string& to = d.transmitting == 1 ? plan.station2.name : plan.station1.name;
    svg.text("text", {{"x", px(leftPx + kPlotLeftPx)}, {"y", px(topPx + 16)}, {"font-weight", "bold"}, {"font-size", "14"}},
             from + " \xE2\x86\x92 " + to);
    const std::optional<std::size_t> row = waterfallRow(d, plan);
    if (!row) {
        svg.text("text", {{"x", px(leftPx + kPlotLeftPx)}, {"y", px(topPx + 60)}}, "No method gives a path loss on this link.");
        return;
    }
    const std::vector<Bar> all = bars(d, *d.rows[*row].pathLossDb);
    double lo = d.noisePowerDbw;
    double hi = d.txPowerDbw;
    for (const Bar& b : all) {
        lo = std::min(lo, b.to);
        hi = std::max({hi, b.to, b.kind == Kind::Level ? b.to : b.from});
    }
    if (d.maxLossDb) hi = std::max(hi, d.noisePowerDbw + *d.requiredSnrDb);
    const plot::Ticks ticks = plot::ticksAround(plot::nonEmpty({lo - kHeadroomDb, hi + kHeadroomDb}), 5);
    const plot::Box box{leftPx + kPlotLeftPx, topPx + kPlotTopPx, kPlotRightPx - kPlotLeftPx, kPlotHeightPx};
    const plot::LinearScale y(ticks.span(), box.bottom(), box.top);
    const plot::LinearScale x({0, 1}, box.left, box.right());
    for (const double v : ticks.values)
        svg.empty("line", {{"x1", px(box.left)}, {"y1", px(y(v))}, {"x2", px(box.right())}, {"y2", px(y(v))},
                           {"stroke", "#e2e2e2"}});
    const double slot = box.width / static_cast<double>(all.size());
    for (std::size_t i = 0; i < all.size(); ++i) {
        const Bar& b = all[i];
        const double left = box.left + slot * static_cast<double>(i) + slot * 0.15;
        const double base = b.kind == Kind::Step ? b.from : ticks.span().lo;
        const double top = y(std::max(base, b.to));
        const double bottom = y(std::min(base, b.to));
        svg.empty("rect", {{"x", px(left)}, {"y", px(top)}, {"width", px(slot * 0.7)},
                           {"height", px(std::max(bottom - top, 1.0))}, {"fill", std::string(colourOf(b))}});
        const double value = b.kind == Kind::Step ? b.to - b.from : b.to;
        std::string label = numberCell(value, 1);
        if (b.kind == Kind::Step && value >= 0) label.insert(0, "+");
        // A level's figure sits inside the top of its bar, clear of the steps'
        // figures and the required level's line beside it.
        const bool inside = b.kind != Kind::Step;
        const double labelY = inside ? top + 13 : value >= 0 ? top - 4 : bottom + 13;
        svg.text("text", {{"x", px(left + slot * 0.35)}, {"y", px(labelY)}, {"text-anchor", "middle"},
                          {"font-size", inside ? "10.5" : "12"}, {"fill", inside ? "white" : "#222222"}},
                 label);
        for (std::size_t line = 0; line < b.label.size(); ++line)
            svg.text("text", {{"x", px(left + slot * 0.35)}, {"y", px(box.bottom() + 15 + 13 * static_cast<double>(line))},
                              {"text-anchor", "middle"}, {"font-size", "12"}},
                     b.label[line]);
    }
    if (d.requiredSnrDb) {
        const double level = y(d.noisePowerDbw + *d.requiredSnrDb);
        svg.empty("line", {{"x1", px(box.left)}, {"y1", px(level)}, {"x2", px(box.right())}, {"y2", px(level)},
                           {"stroke", std::string(kRequiredColour)}, {"stroke-dasharray", "6 4"}, {"stroke-width", "1.5"}});
        const double keyY = topPx + 32;
        svg.empty("line", {{"x1", px(box.left)}, {"y1", px(keyY)}, {"x2", px(box.left + 24)}, {"y2", px(keyY)},
                           {"stroke", std::string(kRequiredColour)}, {"stroke-dasharray", "6 4"}, {"stroke-width", "1.5"}});
        svg.text("text", {{"x", px(box.left + 30)}, {"y", px(keyY + 4)}, {"font-size", "12"},
                          {"fill", std::string(kRequiredColour)}},
                 "level for S/N " + numberCell(d.requiredSnrDb, 1) + " dB: " +
                     numberCell(d.noisePowerDbw + *d.requiredSnrDb, 1) + " dBW");
    }
    plot::drawFrameAndAxes(svg, box, x, y, plot::Ticks{}, ticks, {"", "dBW", 44});
    svg.text("text", {{"x", px(box.left)}, {"y", px(box.bottom() + 46)}, {"font-size", "11"}, {"fill", "#444444"}},
             "Path loss: " + pathLossSource(d.rows[*row]));
}

bool at(const BudgetLossRow& row, itur::ItuMethod method, double percent) {
    return row.pathLossDb && row.percent && *row.percent == percent && row.ituMethod == method;
}

}  // namespace

std::optional<std::size_t> waterfallRow(const BudgetDirection& d, const CheckedPlan& plan) {
    // The complete method wherever it ran: it knows which mechanism carries the signal.
    for (const double percent : {plan.requiredAvailabilityPercent, 50.0})
        for (std::size_t i = 0; i < d.rows.size(); ++i)
            if (at(d.rows[i], itur::ItuMethod::P2001All, percent)) return i;
    for (const double percent : {plan.requiredAvailabilityPercent, 50.0})
        for (const itur::ItuMethod method : {itur::ItuMethod::P2001, itur::ItuMethod::P617})
            for (std::size_t i = 0; i < d.rows.size(); ++i)
                if (at(d.rows[i], method, percent)) return i;
    for (std::size_t i = 0; i < d.rows.size(); ++i)
        if (d.rows[i].pathLossDb) return i;
    return std::nullopt;
}

std::string waterfallCaption(const BudgetDirection& a, const CheckedPlan& plan) {
    const std::optional<std::size_t> row = waterfallRow(a, plan);
    if (!row) return "Where the dB go; no method gives a path loss here.";
    std::string text = "Where the dB go, with the path loss of " + htmlEscaped(pathLossSource(a.rows[*row]));
    return text + ". Blue: levels; red: losses; green: gains; grey: the receiver's noise power.";
}

std::string budgetWaterfallSvg(const BudgetDirection& a, const BudgetDirection& b, const CheckedPlan& plan) {
    std::string out;
    plot::SvgWriter svg(out, kWidthPx, kPanelHeightPx);
    svg.empty("rect", {{"width", "100%"}, {"height", "100%"}, {"fill", "white"}});
    drawPanel(svg, a, plan, 0);
    drawPanel(svg, b, plan, kPanelWidthPx);
    svg.finish();
    return out;
}

}  // namespace tropolink
