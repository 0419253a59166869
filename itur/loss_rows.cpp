#include "itur/loss_rows.h"

#include <cmath>
#include <limits>

#include "itur/method_domain.h"

// The vector variants of glibc's libmvec, which <cmath> declares only under
// -ffast-math; that flag would also drop the NaN and infinity checks below.
// Other compilers see plain calls.
#if defined(__GNUC__) && !defined(__clang__)
extern "C" {
__attribute__((simd("notinbranch"))) double exp(double) noexcept;
__attribute__((simd("notinbranch"))) double log10(double) noexcept;
__attribute__((simd("notinbranch"))) double sin(double) noexcept;
}
#endif

namespace tropolink::itur {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// The constants of p617_method.cpp, p2001_method.cpp and shared_terms.cpp.
constexpr double kScaleHeightKm = 7.35;
constexpr double kPerScaleHeightKm = 1 / kScaleHeightKm;
constexpr double kRadPerMrad = 0.001;
constexpr double kKmPerM = 0.001;
constexpr double kLn10 = 2.302585092994045684;
constexpr double kLog10Of2 = 0.301029995663981195;
constexpr double kFreeSpaceDb = 92.44;
constexpr double kCouplingDb = 0.07;
constexpr double kCouplingPerDbi = 0.055;

// M (dB) of zone 1 to 7, by selects rather than a table: a lookup keeps the loop scalar.
double zoneMDb(double zone) {
    double m = 119.73;  // zones 2 and 5
    m = zone == 1 ? 129.6 : m;
    m = zone == 3 ? 109.3 : m;
    m = zone == 4 ? 128.5 : m;
    m = zone == 6 ? 123.2 : m;
    return zone == 7 ? 116.0 : m;
}

// γ (1/km) of zone 1 to 7.
double zoneGammaPerKm(double zone) {
    const double gamma = zone == 1 ? 0.33 : 0.27;
    return zone == 3 ? 0.32 : gamma;
}

bool finite(double x) { return x - x == 0; }

// Four rows a step where the processor has AVX2, two elsewhere.
#define TROPOLINK_ROW_CLONES __attribute__((target_clones("avx2", "default")))

double cubic(double ds, double a3, double a2, double a1, double a0) { return a3 * ds * ds * ds + a2 * ds * ds + a1 * ds + a0; }

}  // namespace

// Where the time of a row goes: the vector maths, 3 sin, 5 log10 and 3 exp
// (log f and log d serve the median and the floor alike; Y(p)'s power and its
// k share one exp). Constant divisions are products, except θ, whose domain
// edges must fall as in p617Terms.
TROPOLINK_ROW_CLONES void p617LossRows(const P617Rows& in, std::size_t rows, double* lossDb) {
#pragma omp simd
    for (std::size_t i = 0; i < rows; ++i) {
        const double d = in.dKm[i];
        const double ae = in.aeKm[i];
        const double tt = in.thetaTMrad[i];
        const double tr = in.thetaRMrad[i];
        const double p = in.p[i];
        const double n0 = in.n0[i];
        const double theta = 1000 * d / ae + tt + tr;
        const double halfPerAe = 0.5 / ae;
        const double beta = d * halfPerAe + tr * kRadPerMrad + (in.hrsM[i] - in.htsM[i]) / (1000 * d);
        const double r = d * sin(beta) / sin(theta * kRadPerMrad);
        const double h0 = in.htsM[i] * kKmPerM + r * sin(tt * kRadPerMrad) + r * r * halfPerAe;
        const double logF = log10(in.fMhz[i]);
        const double logD = log10(d);
        // Products rather than selects around the calls: a select there lets the
        // compiler split the loop in two paths, each with its own calls.
        const double revised = in.revised[i];  // 0 or 1
        const double angle = (35 - 17.5 * revised) * log10(theta * (revised != 0 ? theta : 1.0) + 4 * revised);
        const double median = 0.18 * n0 * exp(-in.hsKm[i] * kPerScaleHeightKm) - 0.23 * in.deltaN[i] + 22 * logF +
                              angle + 17 * logD + kCouplingDb * exp(kCouplingPerDbi * (in.gtDbi[i] + in.grDbi[i]));
        // Y(p) = ±k·x^0.67 with k = 0.035·N0·exp(−h0/hb) and x = −log(p/50): one exp for both.
        const double share = (p < 100 - p ? p : 100 - p) * 0.02;  // at most 1
        const double logX = log10(-log10(share));
        const double y = (p < 50 ? 0.035 : -0.035) * n0 * exp(0.67 * kLn10 * logX - h0 * kPerScaleHeightKm);
        const double freeSpace = kFreeSpaceDb + 20 * (logF - 3) + 20 * logD;  // f in GHz
        const double floored = median - y > freeSpace ? median - y : freeSpace;
        // k is finite on the height domain wherever N0 is, and the median holds N0.
        const bool valid = (theta > 0) & (theta <= kMaxScatterAngleMrad) & (h0 >= kMinCommonVolumeHeightKm) &
                           (h0 <= kMaxCommonVolumeHeightKm) & finite(median + freeSpace);
        lossDb[i] = valid ? floored : kNaN;
    }
}

TROPOLINK_ROW_CLONES void p2001LossRows(const P2001Rows& in, std::size_t rows, double* lossDb) {
#pragma omp simd
    for (std::size_t i = 0; i < rows; ++i) {
        const double d = in.dKm[i];
        const double ae = in.aeKm[i];
        const double fGhz = in.fMhz[i] / 1000;
        const double zone = in.zone[i];
        const double theta = 1000 * (d / ae) + in.thetaTMrad[i] + in.thetaRMrad[i];
        const double p = in.p[i];
        const double nudged = p + 0.00001 * (50 - p) / 50;
        const double h = 0.25e-3 * theta * d;
        const double htrop = 0.125e-6 * theta * theta * ae;
        const double ds = 0.001 * theta * ae;
        const double decay = exp(-0.137 * htrop);
        const double fCapped = fGhz < 4 ? fGhz : 4.0;
        double y90 = -2.2 - (8.1 - 0.23 * fCapped) * decay;
        y90 = zone == 7 ? -9.5 - 3 * decay : y90;
        y90 = zone == 1 ? (ds < 100 ? -8.2 : ds >= 1000 ? -3.4 : cubic(ds, 1.006e-8, -2.569e-5, 0.02242, -10.2)) : y90;
        y90 = zone == 3 ? (ds < 100 ? -10.845 : ds >= 465 ? -8.4 : cubic(ds, -4.5e-7, 4.45e-4, -0.122, -2.645)) : y90;
        y90 = zone == 4 ? (ds < 100 ? -11.5 : ds >= 550 ? -4.0 : cubic(ds, -8.519e-8, 7.444e-5, -4.18e-4, -12.1)) : y90;
        const bool above = nudged >= 50;
        const double share = (above ? 100 - nudged : nudged) / 50;
        const double c = (above ? 1.26 : -1.26) * exp(0.63 * kLn10 * log10(-log10(share < 1 ? share : 1.0)));
        const double gamma = zoneGammaPerKm(zone);
        const double ln = 20 * log10(5 + gamma * h) + 4.34 * gamma * htrop;
        const double scatter = 10 * log10(d) + 30 * log10(theta) + ln;
        const double diffraction = 20 * log10(d) + 0.573 * theta + 20;
        const double logF = log10(fGhz);
        const double logHalfF = logF - kLog10Of2;
        const double median = zoneMDb(zone) + 25 * logF - 2.5 * logHalfF * logHalfF +
                              (scatter > diffraction ? scatter : diffraction) +
                              kCouplingDb * exp(kCouplingPerDbi * (in.gtDbi[i] + in.grDbi[i]));
        const double freeSpace = kFreeSpaceDb + 20 * logF + 20 * log10(d);
        const double loss = median - c * y90;
        const bool valid = (theta > 0) & (theta <= kMaxScatterAngleMrad) & (htrop <= kMaxCommonVolumeHeightKm) &
                           finite(median + y90 + freeSpace);
        lossDb[i] = valid ? (loss > freeSpace ? loss : freeSpace) : kNaN;
    }
}

}  // namespace tropolink::itur
