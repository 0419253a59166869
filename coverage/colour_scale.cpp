#include "coverage/colour_scale.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <vector>

namespace tropolink::coverage {
namespace {

// About this many labelled values on the legend.
constexpr int kLegendTicks = 6;
// The scale leaves out this share of the values at either end; they take its end colours.
constexpr double kOutlierShare = 0.01;

// A polynomial of degree 6 in t through viridis' red, green and blue, within
// about 1 % of its table: c0 + c1 t + ... + c6 t^6 for each channel.
constexpr double kViridis[3][7] = {
    {0.2777273272234177, 0.1050930431085774, -0.3308618287255563, -4.634230498983486, 6.228269936347081,
     4.776384997670288, -5.435455855934631},
    {0.005407344544966578, 1.404613529898575, 0.214847559468213, -5.799100973351585, 14.17993336680509,
     -13.74514537774601, 4.645852612178535},
    {0.3340998053353061, 1.384590162594685, 0.09509516302823659, -19.33244095627987, 56.69055260068105,
     -65.35303263337234, 26.3124352495832},
};

std::uint8_t channel(const double (&c)[7], double t) {
    double v = 0;
    for (int i = 6; i >= 0; --i) v = v * t + c[i];
    return static_cast<std::uint8_t>(std::lround(std::clamp(v, 0.0, 1.0) * 255));
}

}  // namespace

Rgb viridis(double t) {
    t = std::clamp(t, 0.0, 1.0);
    return {channel(kViridis[0], t), channel(kViridis[1], t), channel(kViridis[2], t)};
}

double ColourScale::position(double value) const {
    const double t = std::clamp((value - lowest()) / (highest() - lowest()), 0.0, 1.0);
    return higherIsBetter ? t : 1 - t;
}

ColourScale colourScale(std::span<const float> values, const BandQuantity& quantity) {
    std::vector<float> finite;
    for (const float v : values)
        if (std::isfinite(v)) finite.push_back(v);
    plot::Range range{HUGE_VAL, -HUGE_VAL};
    if (!finite.empty()) {
        // A few cells far out (beside a line of sight, say) would leave the rest one colour.
        const auto at = [&](double share) {
            const auto i = static_cast<std::ptrdiff_t>(share * static_cast<double>(finite.size() - 1));
            std::nth_element(finite.begin(), finite.begin() + i, finite.end());
            return static_cast<double>(finite[static_cast<std::size_t>(i)]);
        };
        range = {at(kOutlierShare), at(1 - kOutlierShare)};
    }
    if (quantity.limit) {
        range.lo = std::min(range.lo, *quantity.limit);
        range.hi = std::max(range.hi, *quantity.limit);
    }
    if (range.lo > range.hi) range = {0, 1};  // nothing computed: any scale will do
    ColourScale scale;
    scale.ticks = plot::ticksAround(plot::nonEmpty(range), kLegendTicks);
    scale.higherIsBetter = quantity.higherIsBetter;
    scale.limit = quantity.limit;
    scale.label = quantity.name + ", " + quantity.unit;
    scale.unit = quantity.unit;
    return scale;
}

}  // namespace tropolink::coverage
