#include "itur/p2001_method.h"

#include <algorithm>
#include <cmath>

#include "itur/shared_terms.h"

namespace tropolink::itur {
namespace {

struct ZoneConstants {
    std::string_view name;
    double mDb;         // M
    double gammaPerKm;  // γ
};

constexpr std::array<ZoneConstants, kClimateZoneCount> kZones{{
    {"equatorial", 129.6, 0.33},
    {"continental sub-tropical", 119.73, 0.27},
    {"maritime sub-tropical", 109.3, 0.32},
    {"desert", 128.5, 0.27},
    {"continental temperate", 119.73, 0.27},
    {"maritime temperate, over land", 123.2, 0.27},
    {"maritime temperate, over sea", 116, 0.27},
}};

const ZoneConstants& constantsOf(ClimateZone zone) { return kZones[static_cast<std::size_t>(zone) - 1]; }

double cube(double x) { return x * x * x; }

// Y90, dB: ds the scatter distance and htrop the scatter height, km.
double y90Db(ClimateZone zone, double fGhz, double ds, double htrop) {
    switch (zone) {
        case ClimateZone::Equatorial:
            if (ds < 100) return -8.2;
            if (ds >= 1000) return -3.4;
            return 1.006e-8 * cube(ds) - 2.569e-5 * ds * ds + 0.02242 * ds - 10.2;
        case ClimateZone::MaritimeSubTropical:
            if (ds < 100) return -10.845;
            if (ds >= 465) return -8.4;
            return -4.5e-7 * cube(ds) + 4.45e-4 * ds * ds - 0.122 * ds - 2.645;
        case ClimateZone::Desert:
            if (ds < 100) return -11.5;
            if (ds >= 550) return -4;
            return -8.519e-8 * cube(ds) + 7.444e-5 * ds * ds - 4.18e-4 * ds - 12.1;
        case ClimateZone::MaritimeTemperateOverSea:
            return -9.5 - 3 * std::exp(-0.137 * htrop);
        case ClimateZone::ContinentalSubTropical:
        case ClimateZone::ContinentalTemperate:
        case ClimateZone::MaritimeTemperateOverLand:
            break;
    }
    return -2.2 - (8.1 - 0.23 * std::min(fGhz, 4.0)) * std::exp(-0.137 * htrop);
}

// The factor that takes Y90 to another percentage.
double conversionFactor(double p) {
    if (p >= 50) return 1.26 * std::pow(-std::log10((100 - p) / 50), 0.63);
    return -1.26 * std::pow(-std::log10(p / 50), 0.63);
}

}  // namespace

std::string_view climateZoneName(ClimateZone zone) { return constantsOf(zone).name; }

std::optional<double> p2001Loss(double fGhz, double p, double dKm, double thetaERad, double thetaTMrad,
                                double thetaRMrad, double aeKm, ClimateZone zone, double gtDbi, double grDbi) {
    const double theta = 1000 * thetaERad + thetaTMrad + thetaRMrad;
    if (theta <= 0) return std::nullopt;
    const double nudged = p + 0.00001 * (50 - p) / 50;                 // keeps the logarithms finite at 0 and 100
    const double scatterHeight = 0.25e-3 * theta * dKm;                // H, km
    const double troposphereHeight = 0.125e-6 * theta * theta * aeKm;  // htrop, km
    const double scatterDistance = 0.001 * theta * aeKm;               // ds, km
    const ZoneConstants& zc = constantsOf(zone);
    const double yp = conversionFactor(nudged) * y90Db(zone, fGhz, scatterDistance, troposphereHeight);
    const double ln = 20 * std::log10(5 + zc.gammaPerKm * scatterHeight) + 4.34 * zc.gammaPerKm * troposphereHeight;
    const double distanceTerm =
        std::max(10 * std::log10(dKm) + 30 * std::log10(theta) + ln, 20 * std::log10(dKm) + 0.573 * theta + 20);
    const double logHalfF = std::log10(fGhz / 2);
    const double frequencyTerm = 25 * std::log10(fGhz) - 2.5 * logHalfF * logHalfF;
    const double loss = zc.mDb + frequencyTerm + distanceTerm + couplingLossDb(gtDbi, grDbi) - yp;
    return std::max(loss, freeSpaceLossDb(fGhz, dKm));
}

}  // namespace tropolink::itur
