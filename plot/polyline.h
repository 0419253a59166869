#pragma once

#include <span>
#include <vector>

namespace tropolink::plot {

struct Point {
    double x = 0;
    double y = 0;
};

// The points of a polyline that keep its shape to within `tolerance`, the
// first and the last always among them (Ramer-Douglas-Peucker): a smooth curve
// of thousands of points needs only a few hundred to be drawn exactly.
std::vector<Point> simplifyPolyline(std::span<const Point> points, double tolerance);

}  // namespace tropolink::plot
