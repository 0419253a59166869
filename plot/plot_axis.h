#pragma once

#include <string>
#include <vector>

namespace tropolink::plot {

struct Range {
    double lo = 0;
    double hi = 1;
};

// Round-number ticks: 1, 2 or 5 times a power of ten apart.
struct Ticks {
    double step = 1;
    int decimals = 0;  // places a label needs
    std::vector<double> values;
    bool powersOfTen = false;  // values are exponents: each labelled 10^value

    std::string label(double value) const;
    Range span() const { return {values.front(), values.back()}; }
};

// `range` must not be empty (see nonEmpty).
// About `target` ticks, at the multiples of the step within `range`.
Ticks ticksWithin(Range range, int target);

// The same step, with one more tick on either side where `range` ends
// between two: an axis from the first to the last tick holds the range.
Ticks ticksAround(Range range, int target);

// Ticks of a logarithmic axis over `logRange` (base-10 logarithms): at every
// power of ten within it, and at 2 and 5 times them when fewer than two are.
Ticks logTicksWithin(Range logRange);

// A range of data values that is never empty: a single value gets a unit either side.
Range nonEmpty(Range range);

// Maps data values linearly onto pixels; `pixelFrom` is where range.lo lands.
class LinearScale {
public:
    LinearScale(Range range, double pixelFrom, double pixelTo);
    double operator()(double value) const { return pixelFrom_ + (value - lo_) * pixelsPerUnit_; }

private:
    double lo_;
    double pixelFrom_;
    double pixelsPerUnit_;
};

}  // namespace tropolink::plot
