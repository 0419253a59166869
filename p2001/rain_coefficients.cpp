#include "p2001/rain_coefficients.h"

#include <array>
#include <cmath>

namespace tropolink::p2001 {
namespace {

struct Gaussian {
    double a;
    double b;
    double c;
};

// log10 k = Σ a·exp(−((x − b)/c)²) + m·x + c0; α = the same sum + m·x + c0; x = log10 f.
struct KFit {
    std::array<Gaussian, 4> terms;
    double m;
    double c0;
};
struct AlphaFit {
    std::array<Gaussian, 5> terms;
    double m;
    double c0;
};

constexpr KFit kKh{{{{-5.33980, -0.10008, 1.13098},
                     {-0.35351, 1.26970, 0.45400},
                     {-0.23789, 0.86036, 0.15354},
                     {-0.94158, 0.64552, 0.16817}}},
                   -0.18961,
                   0.71147};
constexpr KFit kKv{{{{-3.80595, 0.56934, 0.81061},
                     {-3.44965, -0.22911, 0.51059},
                     {-0.39902, 0.73042, 0.11899},
                     {0.50167, 1.07319, 0.27195}}},
                   -0.16398,
                   0.63297};
constexpr AlphaFit kAlphaH{{{{-0.14318, 1.82442, -0.55187},
                             {0.29591, 0.77564, 0.19822},
                             {0.32177, 0.63773, 0.13164},
                             {-5.37610, -0.96230, 1.47828},
                             {16.1721, -3.29980, 3.43990}}},
                           0.67849,
                           -1.95537};
constexpr AlphaFit kAlphaV{{{{-0.07771, 2.33840, -0.76284},
                             {0.56727, 0.95545, 0.54039},
                             {-0.20238, 1.14520, 0.26809},
                             {-48.2991, 0.791669, 0.116226},
                             {48.5833, 0.791459, 0.116479}}},
                           -0.053739,
                           0.83433};

constexpr double kLowestFittedGhz = 1;

template <typename Fit>
double evaluate(const Fit& fit, double x) {
    double sum = 0;
    for (const Gaussian& t : fit.terms) sum += t.a * std::exp(-((x - t.b) / t.c) * ((x - t.b) / t.c));
    return sum + fit.m * x + fit.c0;
}

RainCoefficients fitted(double fGhz, double elevationRad, Polarisation pol) {
    const double x = std::log10(fGhz);
    const double kh = std::pow(10.0, evaluate(kKh, x));
    const double kv = std::pow(10.0, evaluate(kKv, x));
    const double ah = evaluate(kAlphaH, x);
    const double av = evaluate(kAlphaV, x);
    // cos 2τ: τ = 0 for horizontal, 90° for vertical polarisation.
    const double cos2Tau = pol == Polarisation::Horizontal ? 1 : -1;
    const double cosEl = std::cos(elevationRad);
    const double tilt = cosEl * cosEl * cos2Tau;
    RainCoefficients r;
    r.k = (kh + kv + (kh - kv) * tilt) / 2;
    r.alpha = (kh * ah + kv * av + (kh * ah - kv * av) * tilt) / (2 * r.k);
    return r;
}

}  // namespace

RainCoefficients rainCoefficients(double fGhz, double elevationRad, Polarisation pol) {
    if (fGhz >= kLowestFittedGhz) return fitted(fGhz, elevationRad, pol);
    RainCoefficients r = fitted(kLowestFittedGhz, elevationRad, pol);
    r.k *= fGhz;
    return r;
}

}  // namespace tropolink::p2001
