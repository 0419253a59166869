#include "plan/fading_curves.h"

#include <cmath>

#include "itur/fading_availability.h"

namespace tropolink {

std::vector<FadingCurve> fadingCurves(const itur::ItuLink& link, const itur::AvailabilityAnswer& answer) {
    std::vector<FadingCurve> curves;
    if (!answer.fading) return curves;
    const int steps = static_cast<int>(std::lround((kFadingCurveHiDb - kFadingCurveLoDb) / kFadingCurveStepDb));
    for (const itur::ItuMethod method : itur::kItuMethods) {
        if (!itur::methodAnswer(answer, method).fading) continue;
        const std::optional<itur::FadeNodes> nodes = itur::methodFadeNodes(method, link);
        if (!nodes) continue;
        FadingCurve curve{method, {}, {}};
        for (int i = 0; i <= steps; ++i) {
            const double m = kFadingCurveLoDb + kFadingCurveStepDb * i;
            curve.oneReceiver.push_back({m, itur::yearlyOutage(*nodes, m, {}).availabilityPercent()});
            curve.withDiversity.push_back(
                {m, itur::yearlyOutage(*nodes, m, answer.fading->diversity).availabilityPercent()});
        }
        curves.push_back(std::move(curve));
    }
    return curves;
}

}  // namespace tropolink
