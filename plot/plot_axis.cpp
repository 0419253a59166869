#include "plot/plot_axis.h"

#include <algorithm>
#include <cmath>

#include "link/number_text.h"

namespace tropolink::plot {
namespace {

// Slack for steps that land a hair beside a tick after division.
constexpr double kTickSlack = 1e-9;

Ticks roundTicks(Range range, int target, bool around) {
    const double rough = (range.hi - range.lo) / target;
    int exponent = static_cast<int>(std::floor(std::log10(rough)));
    const double fraction = rough / std::pow(10.0, exponent);
    int mantissa = 10;
    if (fraction < 1.5)
        mantissa = 1;
    else if (fraction < 3.5)
        mantissa = 2;
    else if (fraction < 7.5)
        mantissa = 5;
    if (mantissa == 10) {
        mantissa = 1;
        ++exponent;
    }
    Ticks ticks;
    // A negative power of ten as a divisor keeps steps like 0.1 exact in the labels.
    const double scale = std::pow(10.0, std::abs(exponent));
    ticks.step = exponent < 0 ? mantissa / scale : mantissa * scale;
    ticks.decimals = std::max(0, -exponent);
    const double lo = range.lo / ticks.step;
    const double hi = range.hi / ticks.step;
    const auto first = static_cast<long long>(around ? std::floor(lo + kTickSlack) : std::ceil(lo - kTickSlack));
    const auto last = static_cast<long long>(around ? std::ceil(hi - kTickSlack) : std::floor(hi + kTickSlack));
    for (long long k = first; k <= last; ++k)
        ticks.values.push_back(exponent < 0 ? static_cast<double>(k * mantissa) / scale
                                            : static_cast<double>(k * mantissa) * scale);
    return ticks;
}

}  // namespace

std::string Ticks::label(double value) const {
    std::string text;
    appendFixed(text, value, decimals);
    return text;
}

Ticks ticksWithin(Range range, int target) { return roundTicks(range, target, false); }

Ticks ticksAround(Range range, int target) { return roundTicks(range, target, true); }

Range nonEmpty(Range range) {
    if (range.hi > range.lo) return range;
    return {range.lo - 1, range.hi + 1};
}

LinearScale::LinearScale(Range range, double pixelFrom, double pixelTo)
    : lo_(range.lo), pixelFrom_(pixelFrom), pixelsPerUnit_((pixelTo - pixelFrom) / (range.hi - range.lo)) {}

}  // namespace tropolink::plot
