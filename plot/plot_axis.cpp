#include "plot/plot_axis.h"

#include <algorithm>
#include <cmath>

#include "grammar/number_text.h"

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
    if (powersOfTen) {
        // 2 and 5 times a power of ten need one place more than the power itself.
        const double shown = std::pow(10.0, value);
        appendFixed(text, shown, std::max(0, -static_cast<int>(std::floor(value + kTickSlack))));
        return text;
    }
    appendFixed(text, value, decimals);
    return text;
}

Ticks logTicksWithin(Range logRange) {
    Ticks ticks;
    ticks.powersOfTen = true;
    const auto first = static_cast<int>(std::floor(logRange.lo + kTickSlack));
    const auto last = static_cast<int>(std::ceil(logRange.hi - kTickSlack));
    for (int k = first; k <= last; ++k)
        if (k >= logRange.lo - kTickSlack && k <= logRange.hi + kTickSlack) ticks.values.push_back(k);
    if (ticks.values.size() >= 2) return ticks;
    ticks.values.clear();
    for (int k = first; k <= last; ++k)
        for (const double multiple : {1.0, 2.0, 5.0}) {
            const double v = k + std::log10(multiple);
            if (v >= logRange.lo - kTickSlack && v <= logRange.hi + kTickSlack) ticks.values.push_back(v);
        }
    return ticks;
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
