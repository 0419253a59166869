#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "plan/plan_mechanism.h"
#include "plot/plot_axis.h"
#include "plot/plot_panel.h"
#include "plot/probability_axis.h"

namespace tropolink {

// The five curves of one direction: Lb, then Lbm1 to Lbm4.
inline constexpr std::size_t kMechanismCurves = 5;
double curveLossDb(const MechanismLosses& at, std::size_t curve);
// "Lb", "Lbm1" ... and the colour each is drawn in.
std::string_view curveName(std::size_t curve);

// Where one direction's chart puts a percentage and a loss. The loss axis
// holds Lb and the limit with room for the sub-models near them; a
// sub-model far above is cut at the top, and its legend entry says so.
struct MechanismChartAxes {
    plot::Box box;
    plot::Ticks lossTicks;
    ProbabilityAxis x;
    plot::LinearScale y;
};
MechanismChartAxes mechanismChartAxes(const MechanismStation& station, std::optional<double> limitDb);

// Lb and Lbm1 to Lbm4 of one direction over the year on a normal-probability
// axis, the limit loss as a horizontal line and the required percentage as a
// vertical one. `clipId` names the plot area's clip path, unique on the page.
std::string mechanismSvg(const MechanismStation& station, std::optional<double> limitDb,
                         std::optional<double> requiredPercent, std::string_view clipId);

}  // namespace tropolink
