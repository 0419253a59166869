#include "sweep/sweep_points.h"

#include "cli/pass_window.h"

namespace tropolink::cli {

std::vector<SweepPoint> runSweepPasses(const SweepPlan& plan) {
    HeadlessWindow window;
    std::vector<SweepPoint> points;
    points.reserve(static_cast<std::size_t>(plan.pointCount()));
    for (int i = 0; i < plan.pointCount(); ++i)
        points.push_back({plan.position(i), runPass(window, plan.settingsAt(i))});
    return points;
}

}  // namespace tropolink::cli
