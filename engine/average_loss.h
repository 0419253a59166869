#pragma once

#include <optional>

#include "engine/collins_method.h"

namespace tropolink {

// Mean of the Yeh, CCIR and (when in range) Collins losses, dB; none on a
// line-of-sight path (scattering angle <= 0).
std::optional<double> computeAverageLoss(double scatteringAngle, double yehLoss, double ccirLoss,
                                         const CollinsResult& collins);

}  // namespace tropolink
