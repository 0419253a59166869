#include "sweep/sweep_points.h"

#include "cli/availability_link.h"
#include "cli/pass_window.h"

namespace tropolink::cli {

namespace {

// The ITU-R figures of a point, with the default options of their methods.
void addItuFigures(SweepPoint& point, const std::vector<double>& percents) {
    if (percents.empty()) return;
    AvailabilityOptions options;
    options.percents = percents;
    const itur::ItuLink link = ituLink(point.values, options);
    const itur::LinkBudget budget = linkBudget(point.values);
    for (const double p : percents) {
        point.p617.push_back(itur::percentFigures(itur::ItuMethod::P617, link, budget, p));
        point.p2001.push_back(itur::percentFigures(itur::ItuMethod::P2001, link, budget, p));
    }
}

}  // namespace

std::vector<SweepPoint> runSweepPasses(const SweepPlan& plan) {
    HeadlessWindow window;
    std::vector<SweepPoint> points;
    points.reserve(static_cast<std::size_t>(plan.pointCount()));
    for (int i = 0; i < plan.pointCount(); ++i) {
        points.push_back({plan.position(i), runPass(window, plan.settingsAt(i)), {}, {}});
        addItuFigures(points.back(), plan.percents);
    }
    return points;
}

}  // namespace tropolink::cli
