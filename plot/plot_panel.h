#pragma once

#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "plot/plot_axis.h"
#include "plot/svg_writer.h"

namespace tropolink::plot {

// The shading of the line-of-sight region, over the grid and under the curves.
inline constexpr std::string_view kLineOfSightFill = "#a0a0a0";
inline constexpr std::string_view kLineOfSightOpacity = "0.3";

// How a curve looks, here and in the legend.
struct SeriesStyle {
    std::string_view label;
    std::string_view colour;
    std::string_view dash;  // "none": solid
};

// One curve: a value per grid point, none where there is a gap.
struct Series {
    const SeriesStyle* style = nullptr;
    std::vector<std::optional<double>> values;
};

// Grid points first..last, both included.
struct IndexRun {
    std::size_t first = 0;
    std::size_t last = 0;
};

struct Box {
    double left = 0;
    double top = 0;
    double width = 0;
    double height = 0;

    double right() const { return left + width; }
    double bottom() const { return top + height; }
};

// What a panel shows.
struct PanelContent {
    std::string_view id;
    std::string_view heading;  // above the plot
    std::string_view yLabel;
    std::string_view xLabel;
    std::span<const double> xs;  // the swept value at each grid point, rising
    std::span<const IndexRun> lineOfSight;
    std::span<const Series> series;
    bool logX = false;  // the x axis logarithmic; every xs above 0
};

// The titles of a plot's axes; the y title stands `yOffsetPx` left of the frame.
struct AxisTitles {
    std::string_view x;
    std::string_view y;
    double yOffsetPx = 0;
};

// The frame around `box`, the ticks with their labels and both axis titles.
void drawFrameAndAxes(SvgWriter& svg, const Box& box, const LinearScale& x, const LinearScale& y, const Ticks& xTicks,
                      const Ticks& yTicks, const AxisTitles& titles);

// From the least to the greatest value of the curves; [0, 1] when there is none.
Range valueRange(std::span<const Series> series);

// Draws the panel inside `box`: shaded line-of-sight region, grid, curves,
// frame, ticks and axis labels. The y axis holds `yRange`, widened to ticks.
void drawPanel(SvgWriter& svg, const Box& box, const PanelContent& content, Range yRange);

// A curve of `style` along `pathData`, in a panel or in the legend.
void drawCurve(SvgWriter& svg, const SeriesStyle& style, std::string pathData);

}  // namespace tropolink::plot
