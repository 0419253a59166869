#include "itur/method_domain.h"

#include <cmath>
#include <stdexcept>
#include <string>

namespace tropolink::itur {

MethodLoss angleDomain(double theta) {
    if (theta <= 0) return {MethodVerdict::LineOfSight, OutOfRangeReason::None, 0};
    if (!(theta <= kMaxScatterAngleMrad)) return {MethodVerdict::OutOfRange, OutOfRangeReason::ScatterAngle, 0};
    return {};
}

MethodLoss heightDomain(double heightKm) {
    if (!(heightKm >= kMinCommonVolumeHeightKm && heightKm <= kMaxCommonVolumeHeightKm))
        return {MethodVerdict::OutOfRange, OutOfRangeReason::CommonVolumeHeight, 0};
    return {};
}

MethodLoss finiteLoss(double lossDb) {
    if (!std::isfinite(lossDb)) return {MethodVerdict::OutOfRange, OutOfRangeReason::NotFinite, 0};
    return {MethodVerdict::Valid, OutOfRangeReason::None, lossDb};
}

void requirePercent(double p) {
    if (!(p > 0 && p < 100))
        throw std::domain_error("percentage " + std::to_string(p) + " is not strictly between 0 and 100");
}

}  // namespace tropolink::itur
