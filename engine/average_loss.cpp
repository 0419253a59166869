#include "engine/average_loss.h"

namespace tropolink {

std::optional<double> computeAverageLoss(double scatteringAngle, double yehLoss, double ccirLoss,
                                         const CollinsResult& collins) {
    if (!(scatteringAngle > 0)) return std::nullopt;
    if (collins.inRange) return ((collins.loss + ccirLoss) + yehLoss) / 3;
    return (ccirLoss + yehLoss) / 2;
}

}  // namespace tropolink
