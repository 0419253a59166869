#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <string_view>

#include "plot/svg_writer.h"

namespace tropolink::plot {

// The page every picture shares: a heading over the plots on the left and a
// legend to their right.
inline constexpr double kPageWidthPx = 1040;
inline constexpr double kPlotLeftPx = 80;
inline constexpr double kPlotRightPx = 790;
inline constexpr double kLegendLeftPx = 815;
inline constexpr double kTitleBaselinePx = 32;
inline constexpr double kSubtitleBaselinePx = 56;
inline constexpr double kLineHeightPx = 17;         // subtitle and legend notes
inline constexpr double kLegendRowPx = 22;          // one legend entry
inline constexpr double kLegendSampleWidthPx = 36;  // the line or patch before an entry's text
inline constexpr double kLegendTextLeftPx = kLegendLeftPx + 44;
inline constexpr std::size_t kSubtitleLineChars = 125;  // about what fits between the page's edges

// Where the subtitle's last line of `lines` has its baseline, plus one line.
double belowSubtitlePx(std::size_t lines);

// The document's title, a white background, the title in bold and the
// subtitle under it, one text element per line.
void drawHeading(SvgWriter& svg, std::string_view title, std::span<const std::string> subtitle);

// Opens the legend's group with its heading above `topPx`; the caller draws
// the entries and closes the group.
void openLegend(SvgWriter& svg, double topPx, std::string_view id = "legend");

}  // namespace tropolink::plot
