#include "p2001/effective_heights.h"

#include <algorithm>
#include <cstddef>
#include <limits>

namespace tropolink::p2001 {

EffectiveHeights effectiveHeights(std::span<const double> d, std::span<const double> h, double hts, double hrs, int iLt,
                                  int iLr) {
    const std::size_t last = d.size() - 1;
    const double dt = d[last];
    double v1 = 0;
    double v2 = 0;
    for (std::size_t i = 1; i <= last; ++i) {
        v1 += (d[i] - d[i - 1]) * (h[i] + h[i - 1]);
        v2 += (d[i] - d[i - 1]) * (h[i] * (2 * d[i] + d[i - 1]) + h[i - 1] * (d[i] + 2 * d[i - 1]));
    }
    EffectiveHeights e;
    SmoothSurface& s = e.surface;
    s.hStipM = (2 * v1 * dt - v2) / (dt * dt);
    s.hSripM = (v2 - v1 * dt) / (dt * dt);
    s.hStipaM = std::min(s.hStipM, h[0]);
    s.hSripaM = std::min(s.hSripM, h[last]);
    s.slopeMPerKm = (s.hSripaM - s.hStipaM) / dt;
    e.hteaM = hts - s.hStipaM;
    e.hreaM = hrs - s.hSripaM;

    // Roughness above the smooth surface between the horizons, both included.
    e.hmM = -std::numeric_limits<double>::infinity();
    for (int i = std::min(iLt, iLr); i <= std::max(iLt, iLr); ++i) {
        const std::size_t k = static_cast<std::size_t>(i);
        e.hmM = std::max(e.hmM, h[k] - (s.hStipaM + s.slopeMPerKm * d[k]));
    }

    // Heights above the straight line between the antennas decide how far the
    // smooth surface is lowered under the highest obstruction.
    double hObs = -std::numeric_limits<double>::infinity();
    double alphaObt = hObs;
    double alphaObr = hObs;
    for (std::size_t i = 1; i < last; ++i) {
        const double hi = h[i] - (hts * (dt - d[i]) + hrs * d[i]) / dt;
        hObs = std::max(hObs, hi);
        alphaObt = std::max(alphaObt, hi / d[i]);
        alphaObr = std::max(alphaObr, hi / (dt - d[i]));
    }
    double hst = s.hStipM;
    double hsr = s.hSripM;
    if (hObs > 0) {
        const double gt = alphaObt / (alphaObt + alphaObr);
        const double gr = alphaObr / (alphaObt + alphaObr);
        hst = s.hStipM - hObs * gt;
        hsr = s.hSripM - hObs * gr;
    }
    hst = std::min(hst, h[0]);
    hsr = std::min(hsr, h[last]);
    e.htepM = hts - hst;
    e.hrepM = hrs - hsr;
    return e;
}

}  // namespace tropolink::p2001
