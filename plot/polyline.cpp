#include "plot/polyline.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace tropolink::plot {
namespace {

double distanceToSegment(Point p, Point a, Point b) {
    const double dx = b.x - a.x;
    const double dy = b.y - a.y;
    const double lengthSquared = dx * dx + dy * dy;
    const double t =
        lengthSquared > 0 ? std::clamp(((p.x - a.x) * dx + (p.y - a.y) * dy) / lengthSquared, 0.0, 1.0) : 0.0;
    return std::hypot(p.x - (a.x + t * dx), p.y - (a.y + t * dy));
}

}  // namespace

std::vector<Point> simplifyPolyline(std::span<const Point> points, double tolerance) {
    if (points.size() < 3) return {points.begin(), points.end()};
    std::vector<bool> kept(points.size(), false);
    kept.front() = kept.back() = true;
    // Spans still to look at; the point farthest from a span's chord splits it.
    std::vector<std::pair<std::size_t, std::size_t>> spans{{0, points.size() - 1}};
    while (!spans.empty()) {
        const auto [first, last] = spans.back();
        spans.pop_back();
        double farthest = 0;
        std::size_t split = first;
        for (std::size_t i = first + 1; i < last; ++i) {
            const double distance = distanceToSegment(points[i], points[first], points[last]);
            if (distance > farthest) {
                farthest = distance;
                split = i;
            }
        }
        if (farthest <= tolerance) continue;
        kept[split] = true;
        spans.emplace_back(first, split);
        spans.emplace_back(split, last);
    }
    std::vector<Point> result;
    for (std::size_t i = 0; i < points.size(); ++i)
        if (kept[i]) result.push_back(points[i]);
    return result;
}

}  // namespace tropolink::plot
