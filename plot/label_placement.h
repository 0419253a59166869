#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "plot/polyline.h"

namespace tropolink::plot {

struct Rect {
    double left = 0;
    double top = 0;
    double right = 0;
    double bottom = 0;
};

// Whether the segment from `a` to `b` touches `r` (Liang-Barsky clipping).
bool segmentMeetsRect(Point a, Point b, const Rect& r);

// About the box that a line of the default 12 px font takes, with its baseline
// at `at` and `anchor` "start", "middle" or "end".
Rect textBox(Point at, std::string_view anchor, std::string_view text);

// Keeps labels off the lines of a picture and off each other.
class LabelPlacer {
public:
    void addLine(Point a, Point b);
    void addPolyline(std::span<const Point> points);
    // A line that a label may cross when every place clear of it is taken.
    void addSoftPolyline(std::span<const Point> points);

    // The first of `candidates` that meets no line and no label placed so
    // far, which is then taken; none when every one is in the way.
    std::optional<std::size_t> place(std::span<const Rect> candidates);
    // The same, then the first clear of all but the soft lines, then the
    // first clear of the other labels, then the first.
    std::size_t placeOrFirst(std::span<const Rect> candidates);

private:
    std::optional<std::size_t> placeClearOf(std::span<const Rect> candidates, bool soft);

    std::vector<Point> segments_;  // pairs: from, to
    std::vector<Point> softSegments_;
    std::vector<Rect> taken_;
};

}  // namespace tropolink::plot
