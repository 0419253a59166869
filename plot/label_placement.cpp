#include "plot/label_placement.h"

#include <algorithm>
#include <array>

namespace tropolink::plot {
namespace {

constexpr double kCharWidthPx = 6.6;  // the default font's average at 12 px
constexpr double kAscentPx = 10;
constexpr double kDescentPx = 3;

bool overlaps(const Rect& a, const Rect& b) {
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

bool meetsAny(std::span<const Point> segments, const Rect& r) {
    for (std::size_t i = 0; i + 1 < segments.size(); i += 2)
        if (segmentMeetsRect(segments[i], segments[i + 1], r)) return true;
    return false;
}

}  // namespace

bool segmentMeetsRect(Point a, Point b, const Rect& r) {
    const double dx = b.x - a.x;
    const double dy = b.y - a.y;
    const std::array<double, 4> p{-dx, dx, -dy, dy};
    const std::array<double, 4> q{a.x - r.left, r.right - a.x, a.y - r.top, r.bottom - a.y};
    double from = 0;
    double to = 1;
    for (std::size_t i = 0; i < p.size(); ++i) {
        if (p[i] == 0) {
            if (q[i] < 0) return false;  // parallel to this edge and outside it
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0)
            from = std::max(from, t);
        else
            to = std::min(to, t);
        if (from > to) return false;
    }
    return true;
}

Rect textBox(Point at, std::string_view anchor, std::string_view text) {
    const double width = kCharWidthPx * static_cast<double>(text.size());
    double left = at.x;
    if (anchor == "middle") left -= width / 2;
    if (anchor == "end") left -= width;
    return {left, at.y - kAscentPx, left + width, at.y + kDescentPx};
}

void LabelPlacer::addLine(Point a, Point b) {
    segments_.push_back(a);
    segments_.push_back(b);
}

void LabelPlacer::addPolyline(std::span<const Point> points) {
    for (std::size_t i = 1; i < points.size(); ++i) addLine(points[i - 1], points[i]);
}

void LabelPlacer::addSoftPolyline(std::span<const Point> points) {
    for (std::size_t i = 1; i < points.size(); ++i) {
        softSegments_.push_back(points[i - 1]);
        softSegments_.push_back(points[i]);
    }
}

std::optional<std::size_t> LabelPlacer::placeClearOf(std::span<const Rect> candidates, bool soft) {
    for (std::size_t i = 0; i < candidates.size(); ++i) {
        const Rect& r = candidates[i];
        if (meetsAny(segments_, r) || (soft && meetsAny(softSegments_, r))) continue;
        if (std::any_of(taken_.begin(), taken_.end(), [&r](const Rect& t) { return overlaps(r, t); })) continue;
        taken_.push_back(r);
        return i;
    }
    return std::nullopt;
}

std::optional<std::size_t> LabelPlacer::place(std::span<const Rect> candidates) {
    return placeClearOf(candidates, true);
}

std::size_t LabelPlacer::placeOrFirst(std::span<const Rect> candidates) {
    if (const auto clear = placeClearOf(candidates, true)) return *clear;
    if (const auto nearlyClear = placeClearOf(candidates, false)) return *nearlyClear;
    // A label over a line still reads; one over another label does not.
    for (std::size_t i = 0; i < candidates.size(); ++i) {
        const Rect& r = candidates[i];
        if (std::none_of(taken_.begin(), taken_.end(), [&r](const Rect& t) { return overlaps(r, t); })) {
            taken_.push_back(r);
            return i;
        }
    }
    if (!candidates.empty()) taken_.push_back(candidates.front());
    return 0;
}

}  // namespace tropolink::plot
