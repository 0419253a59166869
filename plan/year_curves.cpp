#include "plan/year_curves.h"

#include <cmath>

#include "plot/probability_axis.h"

namespace tropolink {

const std::vector<double>& yearCurvePercents() {
    static const std::vector<double> percents = [] {
        const double zLo = normalQuantile(kYearLoPercent / 100);
        const double zHi = normalQuantile(kYearHiPercent / 100);
        const int steps = kYearCurvePoints - 1;
        std::vector<double> p;
        p.reserve(kYearCurvePoints);
        for (int i = 0; i <= steps; ++i) {
            const double z = zLo + (zHi - zLo) * i / steps;
            // Back from the axis to a percentage: the normal distribution function.
            p.push_back(50 * std::erfc(-z / std::sqrt(2.0)));
        }
        return p;
    }();
    return percents;
}

std::vector<YearCurve> yearCurves(const itur::ItuLink& link) {
    std::vector<YearCurve> curves;
    for (const itur::ItuMethod method : itur::kItuMethods) {
        YearCurve curve{method, {}};
        for (const double p : yearCurvePercents())
            if (const std::optional<double> loss = itur::methodLoss(method, link, p).value())
                curve.points.push_back({p, *loss});
        curves.push_back(std::move(curve));
    }
    return curves;
}

}  // namespace tropolink
