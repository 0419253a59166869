#include "itur/p617_method.h"

#include <algorithm>
#include <cmath>

#include "itur/shared_terms.h"

namespace tropolink::itur {
namespace {

constexpr double kScaleHeightKm = 7.35;  // hb, of the refractivity above the ground

// Y(p): positive below the median (less loss), negative above it.
double timeTermDb(double p, double n0, double h0Km) {
    const double k = 0.035 * n0 * std::exp(-h0Km / kScaleHeightKm);
    if (p < 50) return k * std::pow(-std::log10(p / 50), 0.67);
    if (p > 50) return -k * std::pow(-std::log10((100 - p) / 50), 0.67);
    return 0;
}

}  // namespace

double commonVolumeHeightKm(double dKm, double thetaTMrad, double thetaRMrad, double htsM, double hrsM, double aeKm) {
    const double theta = 1000 * dKm / aeKm + thetaTMrad + thetaRMrad;
    // Angle at station 2 in the triangle of the two stations and the ray crossing, rad.
    const double beta = dKm / (2 * aeKm) + thetaRMrad / 1000 + (hrsM - htsM) / (1000 * dKm);
    const double r = dKm * std::sin(beta) / std::sin(theta / 1000);  // along the station-1 ray, km
    return htsM / 1000 + r * std::sin(thetaTMrad / 1000) + r * r / (2 * aeKm);
}

std::optional<double> p617Loss(double fMhz, double dKm, double thetaTMrad, double thetaRMrad, double htsM, double hrsM,
                               double gtDbi, double grDbi, double n0, double deltaN, double hsKm, double p, double aeKm,
                               bool revisedAngleTerm) {
    const double theta = 1000 * dKm / aeKm + thetaTMrad + thetaRMrad;
    if (theta <= 0) return std::nullopt;
    const double meteorological = 0.18 * n0 * std::exp(-hsKm / kScaleHeightKm) - 0.23 * deltaN;
    const double h0 = commonVolumeHeightKm(dKm, thetaTMrad, thetaRMrad, htsM, hrsM, aeKm);
    const double angleTerm = revisedAngleTerm ? 17.5 * std::log10(theta * theta + 4) : 35 * std::log10(theta);
    const double loss = meteorological + 22 * std::log10(fMhz) + angleTerm + 17 * std::log10(dKm) +
                        couplingLossDb(gtDbi, grDbi) - timeTermDb(p, n0, h0);
    // Close to θ = 0 the angle term would take the loss below free space.
    return std::max(loss, freeSpaceLossDb(fMhz / 1000, dKm));
}

}  // namespace tropolink::itur
