#include "p2001/troposcatter.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>

namespace tropolink::p2001 {
namespace {

enum class Y90Fit { Temperate, Sea, Equatorial, SubTropical, Desert };

struct ZoneConstants {
    double mDb;
    double gammaPerKm;
    Y90Fit fit;
};

// Index: the TropoClim code (0 maritime temperate over sea … 6 maritime temperate over land).
constexpr std::array<ZoneConstants, 7> kZones{{
    {116, 0.27, Y90Fit::Sea},
    {129.6, 0.33, Y90Fit::Equatorial},
    {119.73, 0.27, Y90Fit::Temperate},
    {109.3, 0.32, Y90Fit::SubTropical},
    {128.5, 0.27, Y90Fit::Desert},
    {119.73, 0.27, Y90Fit::Temperate},
    {123.2, 0.27, Y90Fit::Temperate},
}};

constexpr double kMinScatterAngleMrad = 1e-6;  // for the logarithm only
constexpr double kY90FrequencyCapGhz = 4;

const ZoneConstants& constantsOf(int zone) { return kZones[static_cast<std::size_t>(zone)]; }

double cube(double x) { return x * x * x; }

}  // namespace

int troposcatterZone(int cv, int tx, int rx) {
    if (cv != 0) return cv;
    if (tx > 0 && rx > 0) return std::min(tx, rx);
    if (tx > 0) return tx;
    if (rx > 0) return rx;
    return 0;
}

ScatterPath scatterPath(const PathGeometry& g, int zone, double gt, double gr) {
    ScatterPath s;
    s.zone = zone;
    const ZoneConstants& zc = constantsOf(zone);
    const double d = g.dKm;
    const double theta = 1000 * g.thetaERad + g.horizon.thetaTMrad + g.horizon.thetaRMrad;
    s.thetaMrad = theta;
    const double h = 0.25e-3 * theta * d;
    s.hTropKm = 0.125e-6 * theta * theta * g.aeKm;
    const double ln = 20 * std::log10(5 + zc.gammaPerKm * h) + 4.34 * zc.gammaPerKm * s.hTropKm;
    s.dsKm = 0.001 * theta * g.aeKm;
    const double floored = std::max(theta, kMinScatterAngleMrad);
    s.distanceLossDb =
        std::max(10 * std::log10(d) + 30 * std::log10(floored) + ln, 20 * std::log10(d) + 0.573 * floored + 20);
    s.couplingLossDb = 0.07 * std::exp(0.055 * (gt + gr));
    s.medianDb = zc.mDb;
    return s;
}

double y90Db(const ScatterPath& s, double f) {
    const double ds = s.dsKm;
    switch (constantsOf(s.zone).fit) {
        case Y90Fit::Temperate:
            return -2.2 - (8.1 - 0.23 * std::min(f, kY90FrequencyCapGhz)) * std::exp(-0.137 * s.hTropKm);
        case Y90Fit::Sea:
            return -9.5 - 3 * std::exp(-0.137 * s.hTropKm);
        case Y90Fit::Equatorial:
            if (ds < 100) return -8.2;
            if (ds >= 1000) return -3.4;
            return 1.006e-8 * cube(ds) - 2.569e-5 * ds * ds + 0.02242 * ds - 10.2;
        case Y90Fit::SubTropical:
            if (ds < 100) return -10.845;
            if (ds >= 465) return -8.4;
            return -4.5e-7 * cube(ds) + 4.45e-4 * ds * ds - 0.122 * ds - 2.645;
        case Y90Fit::Desert:
            if (ds < 100) return -11.5;
            if (ds >= 550) return -4;
            return -8.519e-8 * cube(ds) + 7.444e-5 * ds * ds - 4.18e-4 * ds - 12.1;
    }
    return 0;
}

double troposcatterLossDb(const ScatterPath& s, double f, double y90, double p) {
    const double c =
        p >= 50 ? 1.26 * std::pow(-std::log10((100 - p) / 50), 0.63) : -1.26 * std::pow(-std::log10(p / 50), 0.63);
    const double halfF = std::log10(0.5 * f);
    const double lfreq = 25 * std::log10(f) - 2.5 * halfF * halfF;
    return s.medianDb + lfreq + s.distanceLossDb + s.couplingLossDb - c * y90;
}

}  // namespace tropolink::p2001
