#include "profile/fresnel.h"

#include <cmath>

#include "profile/rays.h"

namespace tropolink::profile {
namespace {

constexpr double kSpeedOfLightMPerS = 299792458;

}  // namespace

double fresnelRadiusM(double frequencyMhz, double d1Km, double d2Km) {
    const double wavelengthM = kSpeedOfLightMPerS / (frequencyMhz * 1e6);
    const double d1 = d1Km * 1000;
    const double d2 = d2Km * 1000;
    if (!(d1 > 0 && d2 > 0)) return 0;
    return std::sqrt(wavelengthM * d1 * d2 / (d1 + d2));
}

double directLineM(const ProfileSettings& p, double distanceKm) {
    const double a = p.station1.antennaHeightM;
    const double b = p.station2.antennaHeightM;
    return a + (b - a) * distanceKm / p.distanceKm;
}

std::optional<FresnelClearance> worstFresnelClearance(std::span<const ProfilePoint> points, const ProfileSettings& p,
                                                      double frequencyMhz) {
    std::optional<FresnelClearance> worst;
    const double d = p.distanceKm;
    for (std::size_t i = 0; i < points.size(); ++i) {
        const double km = points[i].distanceKm;
        const double radius = fresnelRadiusM(frequencyMhz, km, d - km);
        if (!(radius > 0)) continue;  // the ends
        const double clearance = directLineM(p, km) - (points[i].heightM + earthBulgeM(km, d));
        const double radii = clearance / radius;
        if (!worst || radii < worst->radii) worst = FresnelClearance{i, km, clearance, radii};
    }
    return worst;
}

}  // namespace tropolink::profile
