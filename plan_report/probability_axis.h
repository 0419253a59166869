#pragma once

#include <array>

#include "plan/year_curves.h"
#include "plot/probability_axis.h"

namespace tropolink {

// The labelled percentages of the report's year axis, from kYearLoPercent
// to kYearHiPercent.
inline constexpr std::array<double, 15> kYearTickPercents{1, 2, 5, 10, 20, 30, 50, 70, 80, 90, 95, 98, 99, 99.9, 99.99};

}  // namespace tropolink
