#include "p2001/rain.h"

#include <algorithm>
#include <cmath>

#include "p2001/rain_coefficients.h"

namespace tropolink::p2001 {
namespace {

// Rain height distribution: H_n = −2400 + 100·(n − 1) m about the mean rain
// height, with probabilities symmetric about 0.
constexpr std::array<double, 25> kHalfProbabilities{
    0.000555, 0.000802, 0.001139, 0.001594, 0.002196, 0.002978, 0.003976, 0.005227, 0.006764,
    0.008617, 0.010808, 0.013346, 0.016225, 0.019419, 0.022881, 0.026542, 0.030312, 0.034081,
    0.037724, 0.041110, 0.044104, 0.046583, 0.048439, 0.049589, 0.049978};
constexpr double kRowStepM = 100;
constexpr double kLowestRowM = -2400;
constexpr double kRainHeightAboveIsothermM = 360;  // mean rain height h0 + 360 m
constexpr double kRainTopAboveMeanM = 2400;
constexpr double kMeltingLayerM = 1200;
constexpr int kMeltingLayerSlices = 12;  // of 100 m
constexpr double kMaxRainPathKm = 300;
// At this rain rate (mm/h) or more exp(−a·R·(bR + 1)/(cR + 1)) is below
// exp(−750) for every b (c = 26.02·b), which is 0 in double precision.
constexpr double kUnderflowRainRate = 18000;

double rowProbability(int n) { return kHalfProbabilities[static_cast<std::size_t>(n < 25 ? n : 48 - n)]; }

}  // namespace

double rainElevationRad(double hLo, double hHi, double d) { return 0.001 * (hHi - hLo) / d; }

double rainyPercent(const RainMapValues& maps) {
    if (maps.pr6Percent == 0) return 0;
    const double ms = (1 - maps.betaRain) * maps.mtMm;
    return maps.pr6Percent * (1 - std::exp(-0.0079 * ms / maps.pr6Percent));
}

double meltingLayerMultiplier(double dh) {
    if (dh > 0) return 0;
    if (dh < -kMeltingLayerM) return 1;
    const double g0 = 4 * std::pow(1 - std::exp(dh / 70), 2);
    return g0 / (1 + std::pow(1 - std::exp(-std::pow(dh / 600, 2)), 2) * (g0 - 1));
}

double pathAveragedMultiplier(double hLo, double hHi, double hT) {
    const int sLo = 1 + static_cast<int>(std::floor((hT - hLo) / kRowStepM));
    const int sHi = 1 + static_cast<int>(std::floor((hT - hHi) / kRowStepM));
    if (sLo < 1) return 0;                    // wholly above the melting layer
    if (sHi > kMeltingLayerSlices) return 1;  // wholly below it
    if (sLo == sHi) return meltingLayerMultiplier(0.5 * (hLo + hHi) - hT);
    double g = 0;
    for (int s = std::max(sHi, 1); s <= std::min(sLo, kMeltingLayerSlices); ++s) {
        double dh = 0;
        double q = 0;
        if (sHi < s && s < sLo) {
            dh = kRowStepM * (0.5 - s);
            q = kRowStepM / (hHi - hLo);
        } else if (s == sLo) {
            dh = 0.5 * (hLo - hT - kRowStepM * (s - 1));
            q = (hT - kRowStepM * (s - 1) - hLo) / (hHi - hLo);
        } else if (s == sHi) {
            dh = 0.5 * (hHi - hT - kRowStepM * s);
            q = (hHi - (hT - kRowStepM * s)) / (hHi - hLo);
        }
        g = g + q * meltingLayerMultiplier(dh);
    }
    if (sLo > kMeltingLayerSlices) g = g + (hT - kMeltingLayerM - hLo) / (hHi - hLo);
    return g;
}

RainPath rainPath(const RainMapValues& maps, const RainSegment& seg, double fGhz, Polarisation pol) {
    RainPath r;
    const double hR = kRainHeightAboveIsothermM + 1000 * maps.h0Km;
    const double hRtop = hR + kRainTopAboveMeanM;
    // A segment of zero length holds no rain; nor does a climate without
    // stratiform rain (Q0ra = 0: the limit of the model as it vanishes).
    if (maps.pr6Percent == 0 || seg.hLoM >= hRtop || seg.dKm == 0) return r;
    const double q0ra = rainyPercent(maps);
    if (q0ra == 0) return r;
    r.rain = true;
    const double mc = maps.betaRain * maps.mtMm;
    const double ms = (1 - maps.betaRain) * maps.mtMm;
    r.q0raPercent = q0ra;
    r.a = 1.09;
    r.b = (mc + ms) / (21797 * r.q0raPercent);
    r.c = 26.02 * r.b;
    r.qtranPercent = r.q0raPercent * std::exp(r.a * (2 * r.b - r.c) / (r.c * r.c));

    const RainCoefficients kc = rainCoefficients(fGhz, seg.elevationRad, pol);
    const double dr = std::min(seg.dKm, kMaxRainPathKm);
    const double drmin = std::max(dr, 1.0);
    r.kMod = std::pow(1.763, kc.alpha) * kc.k *
             (0.6546 * std::exp(-0.009516 * drmin) + 0.3499 * std::exp(-0.001182 * drmin));
    r.alphaMod = (0.753 + 0.197 / drmin) * kc.alpha + 0.1572 * std::exp(-0.02268 * drmin) -
                 0.1594 * std::exp(-0.0003617 * drmin);
    r.dRainLimKm = std::max(dr, 0.001);

    // Slots: one per isotherm height whose melting layer the segment meets;
    // the heights it lies wholly below share one slot with multiplier 1.
    int m = 0;
    for (int n = 0; n < kRainHeightRows; ++n) {
        const double hT = hR + kLowestRowM + kRowStepM * n;
        if (seg.hLoM >= hT) continue;
        if (seg.hHiM > hT - kMeltingLayerM) {
            r.g[static_cast<std::size_t>(m)] = pathAveragedMultiplier(seg.hLoM, seg.hHiM, hT);
            r.p[static_cast<std::size_t>(m)] = rowProbability(n);
            if (n < kRainHeightRows - 1) ++m;
        } else {
            r.p[static_cast<std::size_t>(m)] = r.p[static_cast<std::size_t>(m)] + rowProbability(n);
            r.g[static_cast<std::size_t>(m)] = 1;
        }
    }
    r.slotCount = m + 1;
    for (int s = 0; s < r.slotCount; ++s) {
        const std::size_t i = static_cast<std::size_t>(s);
        r.sumGp += r.g[i] * r.p[i];
        r.denominator[i] = r.g[i] * r.dRainLimKm * r.kMod;
    }
    r.inverseAlphaMod = 1 / r.alphaMod;
    const double underflow = std::pow(kUnderflowRainRate, r.alphaMod);
    for (int s = 0; s < r.slotCount; ++s) {
        const std::size_t i = static_cast<std::size_t>(s);
        r.negligibleFadeDb[i] = r.denominator[i] * underflow;
    }
    return r;
}

double rainWaterVapourFactor(const RainPath& r, double q) {
    if (!r.rain) return 0;
    const double rwvr = 6 * (std::log10(r.q0raPercent / q) / std::log10(r.q0raPercent / r.qtranPercent)) - 3;
    return 0.5 * (1 + std::tanh(rwvr)) * r.sumGp;
}

double rainFadeExceededPercent(const RainPath& r, double a) {
    if (a < 0) return 100;
    if (!r.rain) return 0;
    double sum = 0;
    for (int s = 0; s < r.slotCount; ++s) {
        const std::size_t i = static_cast<std::size_t>(s);
        // A slot with no melting-layer multiplier needs an infinite rain rate.
        if (r.denominator[i] == 0) {
            if (a == 0) sum += r.p[i];
            continue;
        }
        // The term would be exp(x ≤ −750) = 0 exactly: skip its pow and exp.
        if (a > r.negligibleFadeDb[i]) continue;
        const double rate = std::pow(a / r.denominator[i], r.inverseAlphaMod);
        sum += r.p[i] * std::exp(-r.a * rate * (r.b * rate + 1) / (r.c * rate + 1));
    }
    return 100 * sum;
}

}  // namespace tropolink::p2001
