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
__attribute__((simd("notinbranch"))) double log(double) noexcept;
__attribute__((simd("notinbranch"))) double sin(double) noexcept;
}
#endif

namespace tropolink::itur {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// The constants of p617_method.cpp, p2001_method.cpp and shared_terms.cpp.
constexpr double kScaleHeightKm = 7.35;
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

// x^y for x ≥ 0 (0 for x = 0): vector exp and log cost half a vector pow.
double power(double x, double y) { return exp(y * log(x)); }

// Four rows a step where the processor has AVX2, two elsewhere.
#define TROPOLINK_ROW_CLONES __attribute__((target_clones("avx2", "default")))

double cubic(double ds, double a3, double a2, double a1, double a0) { return a3 * ds * ds * ds + a2 * ds * ds + a1 * ds + a0; }

}  // namespace

TROPOLINK_ROW_CLONES void p617LossRows(const P617Rows& in, std::size_t rows, double* lossDb) {
#pragma omp simd
    for (std::size_t i = 0; i < rows; ++i) {
        const double d = in.dKm[i];
        const double ae = in.aeKm[i];
        const double tt = in.thetaTMrad[i];
        const double tr = in.thetaRMrad[i];
        const double f = in.fMhz[i];
        const double p = in.p[i];
        const double theta = 1000 * d / ae + tt + tr;
        const double beta = d / (2 * ae) + tr / 1000 + (in.hrsM[i] - in.htsM[i]) / (1000 * d);
        const double r = d * sin(beta) / sin(theta / 1000);
        const double h0 = in.htsM[i] / 1000 + r * sin(tt / 1000) + r * r / (2 * ae);
        const bool revised = in.revised[i] != 0;
        const double angle = (revised ? 17.5 : 35.0) * log10(revised ? theta * theta + 4 : theta);
        const double median = 0.18 * in.n0[i] * exp(-in.hsKm[i] / kScaleHeightKm) - 0.23 * in.deltaN[i] +
                              22 * log10(f) + angle + 17 * log10(d) +
                              kCouplingDb * exp(kCouplingPerDbi * (in.gtDbi[i] + in.grDbi[i]));
        const double k = 0.035 * in.n0[i] * exp(-h0 / kScaleHeightKm);
        const bool below = p < 50;
        const double share = (below ? p : 100 - p) / 50;
        const double y = (below ? k : -k) * power(-log10(share < 1 ? share : 1.0), 0.67);
        const double freeSpace = kFreeSpaceDb + 20 * log10(f / 1000) + 20 * log10(d);
        const double floored = median - y > freeSpace ? median - y : freeSpace;
        const bool valid = (theta > 0) & (theta <= kMaxScatterAngleMrad) & (h0 >= kMinCommonVolumeHeightKm) &
                           (h0 <= kMaxCommonVolumeHeightKm) & finite(median + k + freeSpace);
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
        const double c = (above ? 1.26 : -1.26) * power(-log10(share < 1 ? share : 1.0), 0.63);
        const double gamma = zoneGammaPerKm(zone);
        const double ln = 20 * log10(5 + gamma * h) + 4.34 * gamma * htrop;
        const double scatter = 10 * log10(d) + 30 * log10(theta) + ln;
        const double diffraction = 20 * log10(d) + 0.573 * theta + 20;
        const double logHalfF = log10(fGhz / 2);
        const double median = zoneMDb(zone) + 25 * log10(fGhz) - 2.5 * logHalfF * logHalfF +
                              (scatter > diffraction ? scatter : diffraction) +
                              kCouplingDb * exp(kCouplingPerDbi * (in.gtDbi[i] + in.grDbi[i]));
        const double freeSpace = kFreeSpaceDb + 20 * log10(fGhz) + 20 * log10(d);
        const double loss = median - c * y90;
        const bool valid = (theta > 0) & (theta <= kMaxScatterAngleMrad) & (htrop <= kMaxCommonVolumeHeightKm) &
                           finite(median + y90 + freeSpace);
        lossDb[i] = valid ? (loss > freeSpace ? loss : freeSpace) : kNaN;
    }
}

}  // namespace tropolink::itur
