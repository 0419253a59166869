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

constexpr double kNudge = 0.00001;                     // p′ = p + 0.00001·(50 − p)/50
constexpr double kMedianPercent = 50;
constexpr double kScatterHeightPerMradKm = 0.25e-3;    // H = 0.25e-3·θ·d
constexpr double kTropoHeightPerMrad2 = 0.125e-6;      // htrop = 0.125e-6·θ²·ae
constexpr double kScatterDistancePerMrad = 0.001;      // ds = 0.001·θ·ae
constexpr double kLnDbPerDecade = 20;                  // LN = 20·log(5 + γH) + 4.34·γ·htrop
constexpr double kLnOffset = 5;
constexpr double kLnHeightDb = 4.34;
constexpr double kDistanceDbPerDecade = 10;            // Ldist: 10·log d + 30·log θ + LN,
constexpr double kAngleDbPerDecade = 30;
constexpr double kDiffractionDistanceDbPerDecade = 20;  // or 20·log d + 0.573·θ + 20
constexpr double kDiffractionDbPerMrad = 0.573;
constexpr double kDiffractionDb = 20;
constexpr double kFrequencyDbPerDecade = 25;           // Lfreq = 25·log f − 2.5·(log(f/2))²
constexpr double kFrequencyCurvatureDb = 2.5;
constexpr double kFrequencyPivotGhz = 2;
constexpr double kConversionDb = 1.26;                 // C = ±1.26·(−log(...))^0.63
constexpr double kConversionExponent = 0.63;
constexpr double kHeightDecayPerKm = 0.137;            // exp(−0.137·htrop) of Y90
constexpr double kY90FrequencyCapGhz = 4;

const ZoneConstants& constantsOf(ClimateZone zone) { return kZones[static_cast<std::size_t>(zone) - 1]; }

double cube(double x) { return x * x * x; }

// Y90, dB: ds the scatter distance and htrop the scatter height, km. Each
// zone's published fit, coefficients as printed.
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
            return -9.5 - 3 * std::exp(-kHeightDecayPerKm * htrop);
        case ClimateZone::ContinentalSubTropical:
        case ClimateZone::ContinentalTemperate:
        case ClimateZone::MaritimeTemperateOverLand:
            break;
    }
    return -2.2 - (8.1 - 0.23 * std::min(fGhz, kY90FrequencyCapGhz)) * std::exp(-kHeightDecayPerKm * htrop);
}

// Keeps the logarithms finite at 0 and 100.
double nudged(double p) { return p + kNudge * (kMedianPercent - p) / kMedianPercent; }

// The factor that takes Y90 to another percentage.
double conversionFactor(double p) {
    if (p >= kMedianPercent) return kConversionDb * std::pow(-std::log10((100 - p) / kMedianPercent), kConversionExponent);
    return -kConversionDb * std::pow(-std::log10(p / kMedianPercent), kConversionExponent);
}

}  // namespace

std::string_view climateZoneName(ClimateZone zone) { return constantsOf(zone).name; }

P2001Terms p2001Terms(const P2001Path& g) {
    P2001Terms t;
    const double fGhz = g.fMhz / 1000;
    const double thetaERad = g.dKm / g.aeKm;
    const double theta = 1000 * thetaERad + g.thetaTMrad + g.thetaRMrad;
    t.domain = angleDomain(theta);
    if (t.domain.verdict != MethodVerdict::Valid) return t;
    const double scatterHeight = kScatterHeightPerMradKm * theta * g.dKm;              // H, km
    const double troposphereHeight = kTropoHeightPerMrad2 * theta * theta * g.aeKm;     // htrop, km
    const double scatterDistance = kScatterDistancePerMrad * theta * g.aeKm;            // ds, km
    t.domain = heightDomain(troposphereHeight);
    if (t.domain.verdict != MethodVerdict::Valid) return t;
    const ZoneConstants& zc = constantsOf(g.zone);
    t.y90Db = y90Db(g.zone, fGhz, scatterDistance, troposphereHeight);
    const double ln = kLnDbPerDecade * std::log10(kLnOffset + zc.gammaPerKm * scatterHeight) +
                      kLnHeightDb * zc.gammaPerKm * troposphereHeight;
    const double distanceTerm = std::max(
        kDistanceDbPerDecade * std::log10(g.dKm) + kAngleDbPerDecade * std::log10(theta) + ln,
        kDiffractionDistanceDbPerDecade * std::log10(g.dKm) + kDiffractionDbPerMrad * theta + kDiffractionDb);
    const double logHalfF = std::log10(fGhz / kFrequencyPivotGhz);
    const double frequencyTerm =
        kFrequencyDbPerDecade * std::log10(fGhz) - kFrequencyCurvatureDb * logHalfF * logHalfF;
    t.medianDb = zc.mDb + frequencyTerm + distanceTerm + couplingLossDb(g.gtDbi, g.grDbi);
    t.freeSpaceDb = freeSpaceLossDb(fGhz, g.dKm);
    // C(p′) is finite for every p, so the median, Y90 and the floor decide.
    t.domain = finiteLoss(t.medianDb + t.y90Db + t.freeSpaceDb);
    return t;
}

double p2001LossAt(const P2001Terms& t, double p) {
    const double yp = conversionFactor(nudged(p)) * t.y90Db;
    return std::max(t.medianDb - yp, t.freeSpaceDb);
}

MethodLoss p2001Loss(const P2001Path& path, double p) {
    requirePercent(p);
    const P2001Terms t = p2001Terms(path);
    if (t.domain.verdict != MethodVerdict::Valid) return t.domain;
    return {MethodVerdict::Valid, OutOfRangeReason::None, p2001LossAt(t, p)};
}

double p2001PercentAtLoss(const P2001Terms& t, double maxLossDb) {
    // median − C·Y90 ≤ maxLoss ⇔ C(p′) ≤ c, as Y90 < 0; C rises with p′.
    if (!(t.y90Db < 0)) return t.medianDb <= maxLossDb ? 100 : 0;
    const double c = (maxLossDb - t.medianDb) / -t.y90Db;
    const double decades = std::pow(std::abs(c) / kConversionDb, 1 / kConversionExponent);
    const double nudgedPercent = c >= 0 ? 100 - kMedianPercent * std::pow(10.0, -decades)
                                        : kMedianPercent * std::pow(10.0, -decades);
    // p′ = p·(1 − 0.00001/50) + 0.00001, undone; beyond (0, 100) when the nudge alone decides.
    return std::clamp((nudgedPercent - kNudge) / (1 - kNudge / kMedianPercent), 0.0, 100.0);
}

}  // namespace tropolink::itur
