#include "p2001/horizons.h"

#include <cmath>
#include <cstddef>
#include <limits>

namespace tropolink::p2001 {
namespace {

constexpr double kCurvatureMradPerKm = 500;  // drop of the earth's surface: 500·d/a mrad
constexpr double kFresnelScale = 0.002;  // ν = clearance·sqrt(0.002·d/(λ·d1·d2)), λ dropped (a common factor)

}  // namespace

Horizons horizons(std::span<const double> d, std::span<const double> h, double hts, double hrs, double ae) {
    const std::size_t last = d.size() - 1;
    const double dt = d[last];
    Horizons r;
    // Elevation of each interior point from the transmitter; on a tie the
    // farther point is the horizon.
    double thetaTim = -std::numeric_limits<double>::infinity();
    std::size_t iTim = 1;
    for (std::size_t i = 1; i < last; ++i) {
        const double theta = (h[i] - hts) / d[i] - kCurvatureMradPerKm * d[i] / ae;
        if (theta >= thetaTim) {
            thetaTim = theta;
            iTim = i;
        }
    }
    const double thetaTr = (hrs - hts) / dt - kCurvatureMradPerKm * dt / ae;
    r.lineOfSight = thetaTim < thetaTr;
    if (r.lineOfSight) {
        // The horizon is the point of the largest diffraction parameter.
        double nuMax = -std::numeric_limits<double>::infinity();
        std::size_t iMax = 1;
        for (std::size_t i = 1; i < last; ++i) {
            const double nu =
                (h[i] + kCurvatureMradPerKm * d[i] * (dt - d[i]) / ae - (hts * (dt - d[i]) + hrs * d[i]) / dt) *
                std::sqrt(kFresnelScale * dt / (d[i] * (dt - d[i])));
            if (nu >= nuMax) {
                nuMax = nu;
                iMax = i;
            }
        }
        r.iLt = r.iLr = static_cast<int>(iMax);
        r.dLtKm = d[iMax];
        r.dLrKm = dt - d[iMax];
        r.thetaTMrad = thetaTr;
        r.thetaRMrad = -thetaTr - 2 * kCurvatureMradPerKm * dt / ae;
        return r;
    }
    double thetaRim = -std::numeric_limits<double>::infinity();
    std::size_t iRim = 1;
    for (std::size_t i = 1; i < last; ++i) {
        const double theta = (h[i] - hrs) / (dt - d[i]) - kCurvatureMradPerKm * (dt - d[i]) / ae;
        if (theta >= thetaRim) {
            thetaRim = theta;
            iRim = i;
        }
    }
    r.iLt = static_cast<int>(iTim);
    r.iLr = static_cast<int>(iRim);
    r.dLtKm = d[iTim];
    r.dLrKm = dt - d[iRim];
    r.thetaTMrad = thetaTim;
    r.thetaRMrad = thetaRim;
    return r;
}

}  // namespace tropolink::p2001
