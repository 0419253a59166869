#include "p2001/basic_losses.h"

#include <cmath>

#include "p2001/constants.h"

namespace tropolink::p2001 {
namespace {

constexpr double kKnifeEdgeThreshold = -0.78;  // below it the edge does not reach the first Fresnel zone
constexpr double kKnifeEdgeDb = 6.9;
constexpr double kKnifeEdgeShift = 0.1;

}  // namespace

double freeSpaceLossDb(double fGhz, double dKm) { return kFreeSpaceDb + 20 * std::log10(fGhz) + 20 * std::log10(dKm); }

double knifeEdgeLossDb(double nu) {
    if (!(nu > kKnifeEdgeThreshold)) return 0;
    const double v = nu - kKnifeEdgeShift;
    return kKnifeEdgeDb + 20 * std::log10(std::sqrt(v * v + 1) + v);
}

}  // namespace tropolink::p2001
