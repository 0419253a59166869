#pragma once

#include <optional>

#include "link/method_columns.h"

namespace tropolink {

// Beyond these the five legacy methods are outside any physical meaning (the
// pass still gives numbers, e.g. a 1e6 deg angle behind a 10 km obstruction
// 1 m away); a sweep marks such points out of range instead of drawing them.
inline constexpr double kMaxSaneScatteringAngleDeg = 20;
inline constexpr double kMaxSaneLossDb = 400;

// The method columns as a sweep reports them: methodColumns, with a valid
// column whose scattering angle or loss is beyond the bounds above, or not a
// finite number, out of range and without a loss or signal-to-noise.
MethodColumns sweepColumns(const PassValues& values);

// The average of the methods' losses, none when beyond kMaxSaneLossDb as well.
std::optional<double> saneAverageLoss(const PassValues& values);

// Whether any method column of `values` was put out of range by those bounds.
bool beyondSaneRange(const PassValues& values);

}  // namespace tropolink
