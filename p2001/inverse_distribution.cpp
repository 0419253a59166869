#include "p2001/inverse_distribution.h"

#include <cmath>

#include "p2001/clear_air.h"

namespace tropolink::p2001 {
namespace {

constexpr double kInitialStepDb = 10;
constexpr double kAccuracyDb = 0.01;
constexpr int kMaxExtensions = 11;

}  // namespace

double FadeDistribution::exceededPercent(double a) const {
    const double clear = clearAir == ClearAirModel::Surface ? surfaceFadeExceededPercent(a, q0caPercent)
                                                            : troposcatterFadeExceededPercent(a);
    const double q0ra = rain->rain ? rain->q0raPercent : 0;
    return rainFadeExceededPercent(*rain, a) * (q0ra / 100) + clear * (1 - q0ra / 100);
}

double fadeExceeded(const FadeDistribution& dist, double q) {
    double high = kInitialStepDb / 2;
    double low = -kInitialStepDb / 2;
    double step = kInitialStepDb;
    double qHigh = dist.exceededPercent(high);
    double qLow = dist.exceededPercent(low);
    // Widen the bracket until it holds q, doubling the step each time.
    for (int pass = 0; pass < kMaxExtensions && (q < qHigh || q > qLow); ++pass) {
        if (q < qHigh) {
            low = high;
            qLow = qHigh;
            step = 2 * step;
            high = high + step;
            qHigh = dist.exceededPercent(high);
        } else {
            high = low;
            qHigh = qLow;
            step = 2 * step;
            low = low - step;
            qLow = dist.exceededPercent(low);
        }
    }
    double tried = 0.5 * (low + high);
    const int halvings = static_cast<int>(std::ceil(3.32 * std::log10(step / kAccuracyDb)));
    for (int i = 0; i <= halvings; ++i) {
        if (dist.exceededPercent(tried) < q) {
            high = tried;
        } else {
            low = tried;
        }
        tried = 0.5 * (low + high);
    }
    return tried;
}

}  // namespace tropolink::p2001
