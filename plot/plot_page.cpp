#include "plot/plot_page.h"

namespace tropolink::plot {

double belowSubtitlePx(std::size_t lines) { return kSubtitleBaselinePx + kLineHeightPx * static_cast<double>(lines); }

void drawHeading(SvgWriter& svg, std::string_view title, std::span<const std::string> subtitle) {
    svg.text("title", {}, title);
    svg.empty("rect", {{"width", "100%"}, {"height", "100%"}, {"fill", "white"}});
    svg.text("text",
             {{"x", px(kPlotLeftPx)}, {"y", px(kTitleBaselinePx)}, {"font-size", "20"}, {"font-weight", "bold"}},
             title);
    double y = kSubtitleBaselinePx;
    for (const std::string& line : subtitle) {
        svg.text("text", {{"x", px(kPlotLeftPx)}, {"y", px(y)}, {"font-size", "13"}, {"fill", "#444444"}}, line);
        y += kLineHeightPx;
    }
}

void openLegend(SvgWriter& svg, double topPx, std::string_view id) {
    svg.open("g", {{"id", std::string(id)}, {"fill", "#222222"}});
    svg.text("text", {{"x", px(kLegendLeftPx)}, {"y", px(topPx - 10)}, {"font-size", "14"}, {"font-weight", "bold"}},
             "Legend");
}

}  // namespace tropolink::plot
