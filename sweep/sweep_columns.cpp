#include "sweep/sweep_columns.h"

#include <cmath>

namespace tropolink {
namespace {

bool sane(const MethodColumn& c, double scatteringAngleDeg) {
    if (!(scatteringAngleDeg <= kMaxSaneScatteringAngleDeg)) return false;
    return !c.loss || (std::isfinite(*c.loss) && *c.loss <= kMaxSaneLossDb);
}

}  // namespace

MethodColumns sweepColumns(const PassValues& values) {
    MethodColumns columns = methodColumns(values);
    for (MethodColumn& c : columns) {
        if (c.verdict != ColumnVerdict::Valid || sane(c, values.geometry.scatteringAngle)) continue;
        c.verdict = ColumnVerdict::OutOfRange;
        c.atStation1.reset();
        c.atStation2.reset();
    }
    return columns;
}

std::optional<double> saneAverageLoss(const PassValues& values) {
    const std::optional<double> loss = values.averageLoss;
    return loss && std::isfinite(*loss) && *loss <= kMaxSaneLossDb ? loss : std::nullopt;
}

bool beyondSaneRange(const PassValues& values) {
    const MethodColumns before = methodColumns(values);
    const MethodColumns after = sweepColumns(values);
    for (std::size_t m = 0; m < before.size(); ++m)
        if (before[m].verdict != after[m].verdict) return true;
    return false;
}

}  // namespace tropolink
